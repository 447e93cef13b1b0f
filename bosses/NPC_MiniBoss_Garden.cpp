#include "bosses/NPC_MiniBoss_Garden.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_MiniBoss_Garden.h"

void Zone_NPCSpawner_MiniBoss_Garden::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_MiniBoss_Garden>(*this, x, y,
        {"NPC_MiniBoss_Garden", NPCSpawner::Naming::WhenNamed, &NPC_MiniBoss_Garden::rect,
            NPCSpawner::Area::R});
}
