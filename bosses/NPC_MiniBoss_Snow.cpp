#include "bosses/NPC_MiniBoss_Snow.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_MiniBoss_Snow.h"

void Zone_NPCSpawner_MiniBoss_Snow::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_MiniBoss_Snow>(*this, x, y, {"NPC_MiniBoss_Snow"});
}
