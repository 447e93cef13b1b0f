#include "bosses/NPC_Boss_Boat.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Boss_Boat.h"

void Zone_NPCSpawner_Boss_Boat::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Boss_Boat>(*this, x, y, {"NPC_Boss_Boat", NPCSpawner::Naming::AfterPlacing});
}
