#include "tools/world/LevelReach.h"

#include <algorithm>
#include <deque>

namespace LevelReach {

namespace {

// The screen the camera shows round a player standing at a place: centred
// on his column, his floor near its bottom, held inside the level.
struct Screen {
    int x0 = 0, y0 = 0;
    bool Holds(int x, int y) const
    {
        return x >= x0 && x < x0 + kScreenWidth && y >= y0 && y < y0 + kScreenHeight;
    }
    bool Holds(const LevelPlacement& box) const
    {
        return Holds(box.x, box.y) && Holds(box.x + box.w - 1, box.y + box.h - 1);
    }
};

Screen ScreenAt(const LevelDescription& level, Place at)
{
    Screen s;
    s.x0 = std::clamp(at.x - kScreenWidth / 2, 0, std::max(0, level.TileWidth() - kScreenWidth));
    s.y0 = std::clamp(at.feet - 2, 0, std::max(0, level.TileHeight() - kScreenHeight));
    return s;
}

// The place a player who steps into column x at the height of `feet` comes
// to rest on (he falls to the first floor below); none when he cannot
// step there or falls out of the level.
bool Landing(const LevelDescription& level, int x, int feet, Place& landed)
{
    if (x < 0 || x >= level.TileWidth())
        return false;
    for (int y = feet; y < feet + kBodyHeight; ++y)
        if (IsSolidTile(level.TileAt(x, y)))
            return false;
    for (int y = feet; y > 0; --y) {
        if (IsSolidTile(level.TileAt(x, y)))
            return false;
        if (CanStand(level, {x, y})) {
            landed = {x, y};
            return true;
        }
    }
    return false;
}

} // namespace

bool CanStand(const LevelDescription& level, Place place)
{
    if (place.x < 0 || place.x >= level.TileWidth() || place.feet < 1
        || !IsFloorTile(level.TileAt(place.x, place.feet - 1)))
        return false;
    for (int y = place.feet; y < place.feet + kBodyHeight; ++y)
        if (IsSolidTile(level.TileAt(place.x, y)))
            return false;
    return true;
}

bool BlowReaches(Place from, const LevelPlacement& box)
{
    const int gapX = std::max(box.x - from.x, from.x - (box.x + box.w - 1));
    const int top = from.feet + kBodyHeight; // the tile a short jump adds
    return gapX <= 1 && box.y <= top && box.y + box.h - 1 >= from.feet;
}

std::vector<Place> PlacesInView(const LevelDescription& level, Place start)
{
    const Screen screen = ScreenAt(level, start);
    std::vector<Place> seen;
    if (!CanStand(level, start))
        return seen;
    std::deque<Place> next = {start};
    seen.push_back(start);
    auto visit = [&](Place p) {
        if (!screen.Holds(p.x, p.feet) || !screen.Holds(p.x, p.feet + kBodyHeight - 1))
            return;
        if (std::find(seen.begin(), seen.end(), p) != seen.end())
            return;
        seen.push_back(p);
        next.push_back(p);
    };
    while (!next.empty()) {
        const Place at = next.front();
        next.pop_front();
        for (const int dx : {-1, 1}) {
            Place landed;
            if (Landing(level, at.x + dx, at.feet, landed))
                visit(landed);
        }
        for (int dx = -kJumpAcross; dx <= kJumpAcross; ++dx)
            for (int up = 1; up <= kJumpUp; ++up)
                if (CanStand(level, {at.x + dx, at.feet + up}))
                    visit({at.x + dx, at.feet + up});
    }
    return seen;
}

std::vector<std::string> CheckStrikable(
    const LevelDescription& level, const std::string& arena, const std::string& marker)
{
    const auto floor = std::find_if(level.placements.begin(), level.placements.end(),
        [&](const LevelPlacement& p) { return p.name == arena; });
    if (floor == level.placements.end())
        return {level.file + ":1: no trigger \"" + arena + "\" to fight from"};
    std::vector<std::string> faults;
    int markers = 0;
    for (const LevelPlacement& box : level.placements) {
        if (box.name != marker)
            continue;
        ++markers;
        bool struck = false;
        for (int x = floor->x; x < floor->x + floor->w && !struck; ++x) {
            const Place start {x, floor->y};
            if (!ScreenAt(level, start).Holds(box))
                continue;
            const std::vector<Place> places = PlacesInView(level, start);
            struck = std::any_of(places.begin(), places.end(), [&](Place p) { return BlowReaches(p, box); });
        }
        if (!struck)
            faults.push_back(level.file + ":" + std::to_string(box.line) + ": \"" + marker + "\" at tile ("
                + std::to_string(box.x) + ", " + std::to_string(box.y)
                + ") is out of a blow's reach from every place a player gets to from the floor of \"" + arena
                + "\" by ways on the same screen: expected it within a short jump of such a floor");
    }
    if (markers == 0)
        faults.push_back(level.file + ":1: no placement named \"" + marker + "\"");
    return faults;
}

} // namespace LevelReach
