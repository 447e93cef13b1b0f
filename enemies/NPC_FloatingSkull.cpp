#include "enemies/NPC_FloatingSkull.h"

#include "enemies/NPC_ThrowerSkull.h"
#include "engine/platform/Random.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_FloatingSkull.h"

#include <algorithm>
#include <cstdint>

namespace {

// A random value from lo to hi, both included (in either order).
int RandomBetween(int lo, int hi)
{
    if (hi < lo)
        std::swap(lo, hi);
    const auto span = static_cast<uint32_t>(static_cast<int64_t>(hi) - lo + 1);
    return span == 0 ? lo : static_cast<int>(lo + static_cast<int64_t>(platform::Random32() % span));
}

} // namespace

void NPC_FloatingSkull::PickRandomDestination()
{
    destination = Point<int>(
        RandomBetween(roamingRect.x0, roamingRect.x1), RandomBetween(roamingRect.y1, roamingRect.y0));
}

void Zone_NPCSpawner_FloatingSkull::Instance::Spawn(int x, int y, Level* /*level*/)
{
    // Kinds 0 and 1 make floating skulls of that kind, 2 thrower skulls, any
    // other none. Each skull starts at its own first destination, moved by the
    // offset.
    const int kind = SkullKind.value;
    const char* className = kind < 2 ? "NPC_FloatingSkull" : "NPC_ThrowerSkull";
    NPCSpawner::SpawnEach<NPC_FloatingSkull>(*this, x, y,
        {className, NPCSpawner::Naming::Placement, &NPC_FloatingSkull::roamingRect, NPCSpawner::Area::R},
        kind <= 2 ? SpawnCount.value : 0, [&](NPC_FloatingSkull& skull) {
            if (kind < 2)
                skull.SetKind(kind);
            skull.PickRandomDestination();
            const Point<int> at = GetOffset() + skull.GetDestination();
            skull.SetPosition(Point<float>(static_cast<float>(at.x), static_cast<float>(at.y)));
        });
}
