#include "bosses/NPC_Boss_Garden.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Boss_Garden.h"

void Zone_NPCSpawner_Boss_Garden::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Boss_Garden>(*this, x, y, {"NPC_Boss_Garden"}, [&](NPC_Boss_Garden& boss) {
        boss.SetPosition(NPCSpawner::SpawnPoint(*this, x, y) + Point<float>(0.0f, 1024.0f));
        boss.referencePoint = GetOffset() + Point<int>(x, y);
        boss.SetState(0);
        boss.BuildParts();
    });
}
