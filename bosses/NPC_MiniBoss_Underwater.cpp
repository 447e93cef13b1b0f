#include "bosses/NPC_MiniBoss_Underwater.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_MiniBoss_Underwater.h"

void Zone_NPCSpawner_MiniBoss_Underwater::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_MiniBoss_Underwater>(*this, x, y,
        {"NPC_MiniBoss_Underwater", NPCSpawner::Naming::WhenNamed, &NPC_MiniBoss_Underwater::rect,
            NPCSpawner::Area::R});
}
