#include "enemies/NPC_Killing_Mechanism.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Killing_Mechanism.h"

void Zone_NPCSpawner_Killing_Mechanism::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Killing_Mechanism>(*this, x, y, {"NPC_Killing_Mechanism"});
}
