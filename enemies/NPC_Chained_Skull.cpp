#include "enemies/NPC_Chained_Skull.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Chained_Skull.h"

void Zone_NPCSpawner_Chained_Skull::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Chained_Skull>(*this, x, y, {"NPC_Chained_Skull"});
}
