#include "bosses/NPC_MiniBoss_Cave.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_MiniBoss_Cave.h"

void Zone_NPCSpawner_MiniBoss_Cave::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_MiniBoss_Cave>(*this, x, y, {"NPC_MiniBoss_Cave"});
}
