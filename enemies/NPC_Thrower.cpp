#include "enemies/NPC_Thrower.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Thrower.h"

void Zone_NPCSpawner_Thrower::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Thrower>(*this, x, y, {"NPC_Thrower"});
}
