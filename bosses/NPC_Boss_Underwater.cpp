#include "bosses/NPC_Boss_Underwater.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Boss_Underwater.h"

void Zone_NPCSpawner_Boss_Underwater::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Boss_Underwater>(*this, x, y, {"NPC_Boss_Underwater"});
}
