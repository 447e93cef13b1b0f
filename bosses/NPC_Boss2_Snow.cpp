#include "bosses/NPC_Boss2_Snow.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Boss2_Snow.h"

void Zone_NPCSpawner_Boss2_Snow::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Boss2_Snow>(*this, x, y, {"NPC_Boss2_Snow", NPCSpawner::Naming::AfterPlacing});
}
