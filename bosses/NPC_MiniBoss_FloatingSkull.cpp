#include "bosses/NPC_MiniBoss_FloatingSkull.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_MiniBoss_FloatingSkull.h"

void Zone_NPCSpawner_MiniBoss_FloatingSkull::Instance::Spawn(int x, int y, Level* /*level*/)
{
    // The mini-boss starts at its first destination in the zone, moved by the
    // offset.
    NPCSpawner::Spawn<NPC_MiniBoss_FloatingSkull>(*this, x, y,
        {"NPC_MiniBoss_FloatingSkull", NPCSpawner::Naming::Placement,
            &NPC_MiniBoss_FloatingSkull::roamingRect, NPCSpawner::Area::R},
        [&](NPC_MiniBoss_FloatingSkull& boss) {
            boss.PickRandomDestination();
            const Point<int> at = GetOffset() + boss.GetDestination();
            boss.SetPosition(Point<float>(static_cast<float>(at.x), static_cast<float>(at.y)));
            boss.childCount = ChildCount.value;
        });
}
