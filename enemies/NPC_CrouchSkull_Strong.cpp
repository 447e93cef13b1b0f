#include "enemies/NPC_CrouchSkull_Strong.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_CrouchSkull_Strong.h"

void Zone_NPCSpawner_CrouchSkull_Strong::Instance::Spawn(int x, int y, Level* /*level*/)
{
    // The skull made by the last spawn, or null when none was.
    if (IsPending())
        character = NPCSpawner::Spawn<NPC_CrouchSkull_Strong>(*this, x, y,
            {"NPC_CrouchSkull_Strong", NPCSpawner::Naming::Placement, &NPC_CrouchSkull_Strong::walkRect,
                NPCSpawner::Area::Rc});
}
