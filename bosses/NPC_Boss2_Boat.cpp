#include "bosses/NPC_Boss2_Boat.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Boss2_Boat.h"

void Zone_NPCSpawner_Boss2_Boat::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Boss2_Boat>(*this, x, y, {"NPC_Boss2_Boat", NPCSpawner::Naming::AfterPlacing},
        [](NPC_Boss2_Boat& boss) { boss.LaunchProjectiles(); });
}
