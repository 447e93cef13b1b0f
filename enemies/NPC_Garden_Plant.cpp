#include "enemies/NPC_Garden_Plant.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Garden_Plant.h"

void Zone_NPCSpawner_Garden_Plant::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Garden_Plant>(*this, x, y, {"NPC_Garden_Plant"},
        [](NPC_Garden_Plant& plant) { plant.anchorPoint = plant.GetPosition().ToInt() + Point<int>(0, 32); });
}
