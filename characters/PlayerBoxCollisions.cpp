#include "characters/PlayerBoxCollisions.h"

#include <algorithm>
#include <cmath>

namespace {

// A box resting on a floor may sit this far into it from rounding.
constexpr float kOnTopTolerance = 0.001f;

} // namespace

bool PlayerBoxCollisions::Overlap(const PlayerBox& a, const PlayerBox& b)
{
    return a.left < b.right && a.right > b.left && a.bottom < b.top && a.top > b.bottom;
}

bool PlayerBoxCollisions::Test(
    int testKind, const PlayerBox& box, float dx, float dy, float* allowed, int* boxKind)
{
    bool hit = false;
    float best = dx != 0.0f ? dx : dy;
    int bestKind = 0;
    const PlayerBox moved = box.Moved(dx, dy);
    for (const Solid& s : solids) {
        if (s.oneWay
            && (testKind != -1 || dx != 0.0f || dy > 0.0f || box.bottom < s.box.top - kOnTopTolerance))
            continue;
        if (!Overlap(moved, s.box))
            continue;
        float distance = 0.0f;
        if (dx > 0.0f)
            distance = std::max(0.0f, s.box.left - box.right);
        else if (dx < 0.0f)
            distance = std::min(0.0f, s.box.right - box.left);
        else if (dy > 0.0f)
            distance = std::max(0.0f, s.box.bottom - box.top);
        else if (dy < 0.0f)
            distance = std::min(0.0f, s.box.top - box.bottom);
        if (!hit || std::fabs(distance) < std::fabs(best)) {
            best = distance;
            bestKind = s.kind;
        }
        hit = true;
    }
    if (hit) {
        if (allowed != nullptr)
            *allowed = best;
        if (boxKind != nullptr)
            *boxKind = bestKind;
    }
    return hit;
}

bool PlayerBoxCollisions::Overlaps(const PlayerBox& box)
{
    return std::any_of(
        solids.begin(), solids.end(), [&box](const Solid& s) { return !s.oneWay && Overlap(box, s.box); });
}
