#include "bosses/NPC_MiniBoss_Boat.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_MiniBoss_Boat.h"

void Zone_NPCSpawner_MiniBoss_Boat::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_MiniBoss_Boat>(*this, x, y, {"NPC_MiniBoss_Boat"});
}
