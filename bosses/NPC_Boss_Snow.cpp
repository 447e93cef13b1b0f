#include "bosses/NPC_Boss_Snow.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Boss_Snow.h"

void Zone_NPCSpawner_Boss_Snow::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Boss_Snow>(*this, x, y, {"NPC_Boss_Snow"},
        [&](NPC_Boss_Snow& boss) { boss.referencePoint = GetOffset() + Point<int>(x, y); });
}
