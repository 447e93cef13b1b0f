#include "enemies/NPC_CrouchSkull.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_CrouchSkull.h"

void Zone_NPCSpawner_CrouchSkull::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_CrouchSkull>(*this, x, y,
        {"NPC_CrouchSkull", NPCSpawner::Naming::Placement, &NPC_CrouchSkull::walkRect, NPCSpawner::Area::Rc});
}
