#include "enemies/NPC_DreamCatcher.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_DreamCatcher.h"

void Zone_NPCSpawner_DreamCatcher::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_DreamCatcher>(*this, x, y, {"NPC_DreamCatcher"},
        [&](NPC_DreamCatcher& catcher) { catcher.projectileCount = ProjectileCount.value; });
}
