#include "enemies/NPC_FloatingSkull.h"

#include "engine/platform/Random.h"

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
