#include "enemies/NPC_BoatWorm.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_BoatWorm.h"

void Zone_NPCSpawner_BoatWorm::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_BoatWorm>(*this, x, y, {"NPC_BoatWorm"});
}
