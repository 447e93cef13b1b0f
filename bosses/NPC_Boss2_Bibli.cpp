#include "bosses/NPC_Boss2_Bibli.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Boss2_Bibli.h"

void Zone_NPCSpawner_Boss2_Bibli::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Boss2_Bibli>(*this, x, y, {"NPC_Boss2_Bibli", NPCSpawner::Naming::AfterPlacing});
}
