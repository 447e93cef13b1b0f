#include "enemies/NPC_FireDiamond.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_FireDiamond.h"

void Zone_NPCSpawner_FireDiamond::Instance::Spawn(int x, int y, Level* level)
{
    NPCSpawner::Spawn<NPC_FireDiamond>(*this, x, y, {"NPC_FireDiamond"},
        [&](NPC_FireDiamond& diamond) { diamond.BuildCollisionGraphical(level); });
}
