#include "enemies/NPC_CrouchSkull_Ghost.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_CrouchSkull_Ghost.h"

void Zone_NPCSpawner_CrouchSkull_Ghost::Instance::Spawn(int x, int y, Level* /*level*/)
{
    // The skull made by the last spawn, or null when none was.
    if (IsPending())
        character = NPCSpawner::Spawn<NPC_CrouchSkull_Ghost>(*this, x, y,
            {"NPC_CrouchSkull_Ghost", NPCSpawner::Naming::Placement, &NPC_CrouchSkull_Ghost::walkRect,
                NPCSpawner::Area::Rc});
}
