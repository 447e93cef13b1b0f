#include "bosses/NPC_Boss_Bibli.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Boss_Bibli.h"

void Zone_NPCSpawner_Boss_Bibli::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Boss_Bibli>(*this, x, y, {"NPC_Boss_Bibli"});
}
