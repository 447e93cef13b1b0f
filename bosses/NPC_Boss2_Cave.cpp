#include "bosses/NPC_Boss2_Cave.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Boss2_Cave.h"

void Zone_NPCSpawner_Boss2_Cave::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Boss2_Cave>(*this, x, y, {"NPC_Boss2_Cave", NPCSpawner::Naming::WhenNamed});
}
