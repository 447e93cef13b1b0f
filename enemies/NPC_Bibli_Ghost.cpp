#include "enemies/NPC_Bibli_Ghost.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Bibli_Ghost.h"

void Zone_NPCSpawner_Bibli_Ghost::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Bibli_Ghost>(*this, x, y,
        {"NPC_Bibli_Ghost", NPCSpawner::Naming::Placement, &NPC_Bibli_Ghost::rect, NPCSpawner::Area::R});
}
