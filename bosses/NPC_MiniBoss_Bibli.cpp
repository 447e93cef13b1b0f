#include "bosses/NPC_MiniBoss_Bibli.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_MiniBoss_Bibli.h"

void Zone_NPCSpawner_MiniBoss_Bibli::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_MiniBoss_Bibli>(*this, x, y,
        {"NPC_MiniBoss_Bibli", NPCSpawner::Naming::WhenNamed, &NPC_MiniBoss_Bibli::rect,
            NPCSpawner::Area::Rm},
        [&](NPC_MiniBoss_Bibli& boss) {
            // Centred over the zone by the width the boss shows.
            const float shift = static_cast<float>(GetSize().x - boss.GetSize().x) * 0.5f;
            boss.SetPosition(NPCSpawner::SpawnPoint(*this, x, y) + Point<float>(shift, 0.0f));
        });
}
