#include "bosses/NPC_Boss_Final.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Boss_Final.h"

void Zone_NPCSpawner_Boss_Final::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Boss_Final>(*this, x, y, {"NPC_Boss_Final", NPCSpawner::Naming::AfterPlacing});
}
