#include "tools/world/LevelReach.h"

#include <algorithm>
#include <deque>
#include <iterator>
#include <map>

namespace LevelReach {

namespace {

// The screen the camera shows round a player standing at a place: centred
// on his column, his floor near its bottom, held inside the level.
struct Screen {
    int x0 = 0, y0 = 0;
    int w = kScreenWidth, h = kScreenHeight;
    bool Holds(int x, int y) const { return x >= x0 && x < x0 + w && y >= y0 && y < y0 + h; }
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

namespace {

// The places reached from the starts without leaving `screen`, with at most
// `jumps` jumps on the way (any number when negative). Walks and falls cost
// nothing, so places are met in the order of the jumps they take.
std::vector<Place> PlacesWithin(
    const LevelDescription& level, const std::vector<Place>& starts, const Screen& screen, int jumps = -1)
{
    std::vector<Place> seen;
    // The jumps taken to each place seen, by its tile on the screen (-1:
    // not seen); a place is met many times, so it is looked up, not searched.
    std::vector<int> taken(size_t(screen.w) * size_t(screen.h), -1);
    const auto slot = [&](Place p) -> int& {
        return taken[size_t(p.feet - screen.y0) * size_t(screen.w) + size_t(p.x - screen.x0)];
    };
    std::deque<std::pair<Place, int>> next;
    for (const Place start : starts) {
        if (!screen.Holds(start.x, start.feet) || !CanStand(level, start) || slot(start) >= 0)
            continue;
        next.emplace_back(start, 0);
        seen.push_back(start);
        slot(start) = 0;
    }
    auto visit = [&](Place p, int used, bool jump) {
        if (!screen.Holds(p.x, p.feet) || !screen.Holds(p.x, p.feet + kBodyHeight - 1)
            || (jumps >= 0 && used > jumps))
            return;
        int& best = slot(p);
        if (best >= 0 && best <= used)
            return;
        if (best < 0)
            seen.push_back(p);
        best = used;
        if (jump)
            next.emplace_back(p, used);
        else
            next.emplace_front(p, used);
    };
    while (!next.empty()) {
        const auto [at, used] = next.front();
        next.pop_front();
        for (const int dx : {-1, 1}) {
            Place landed;
            if (Landing(level, at.x + dx, at.feet, landed))
                visit(landed, used, false);
        }
        for (int dx = -kJumpAcross; dx <= kJumpAcross; ++dx)
            for (int up = 1; up <= kJumpUp; ++up)
                if (CanStand(level, {at.x + dx, at.feet + up}))
                    visit({at.x + dx, at.feet + up}, used + 1, true);
    }
    return seen;
}

} // namespace

std::vector<Place> PlacesInView(const LevelDescription& level, Place start)
{
    if (!CanStand(level, start))
        return {};
    return PlacesWithin(level, {start}, ScreenAt(level, start));
}

namespace {

// Whether a blow reaches the box from a place got to from the arena's floor
// on the screen that shows the box.
bool Strikable(const LevelDescription& level, const LevelPlacement& floor, const LevelPlacement& box)
{
    for (int x = floor.x; x < floor.x + floor.w; ++x) {
        const Place start {x, floor.y};
        if (!ScreenAt(level, start).Holds(box))
            continue;
        const std::vector<Place> places = PlacesInView(level, start);
        if (std::any_of(places.begin(), places.end(), [&](Place p) { return BlowReaches(p, box); }))
            return true;
    }
    return false;
}

std::string Unreached(const LevelDescription& level, const LevelPlacement& box, const std::string& what,
    const std::string& arena, const std::string& ways)
{
    return level.file + ":" + std::to_string(box.line) + ": \"" + what + "\" at tile ("
        + std::to_string(box.x) + ", " + std::to_string(box.y)
        + ") is out of a blow's reach from every place a player gets to from the floor of \"" + arena
        + "\" by ways " + ways + ": expected it within a short jump of such a floor";
}

// Bodies larger than their spawner's one tile: the hurt box in tiles from
// the spawner's tile (the boxes of the body's pictures, rounded out).
struct BodyBox {
    const char* spawner;
    int dx, dy, w, h;
};
constexpr BodyBox kBodies[] = {
    {"Zone_NPCSpawner_Boss_Ultimate", 1, 1, 8, 7}, // the maw, 320 x 288, hurt (40, 40)-(280, 260)
};

// The markers on which a boss puts bodies to strike.
struct BodyMarkers {
    const char* spawner;
    const char* markers[2];
};
constexpr BodyMarkers kMarkers[] = {
    {"Zone_NPCSpawner_Boss_Ultimate", {"cell_etape_1", "cell_etape_2"}},
};

// Bosses whose body comes down to the player (they fly, swim or leap across
// the arena): their place to strike is wherever they come, which places
// fixed in the description do not hold; their legs of the run strike them.
constexpr const char* kRoaming[] = {"Zone_NPCSpawner_Boss2_Bibli", "Zone_NPCSpawner_Boss_Garden",
    "Zone_NPCSpawner_Boss2_Garden", "Zone_NPCSpawner_Boss_Snow", "Zone_NPCSpawner_Boss_Underwater"};

// The places got to from the arena's floor anywhere in the level (a boss's
// arena may be climbed over several screens) with at most `jumps` jumps (any
// number when negative).
std::vector<Place> PlacesFromArena(const LevelDescription& level, const LevelPlacement& floor, int jumps)
{
    std::vector<Place> starts;
    for (int x = floor.x; x < floor.x + floor.w; ++x)
        starts.push_back({x, floor.y});
    const Screen whole {0, 0, level.TileWidth(), level.TileHeight()};
    return PlacesWithin(level, starts, whole, jumps);
}

bool IsBossSpawner(const std::string& object)
{
    const bool boss
        = object.rfind("Zone_NPCSpawner_Boss", 0) == 0 || object.rfind("Zone_NPCSpawner_MiniBoss", 0) == 0;
    return boss
        && std::none_of(std::begin(kRoaming), std::end(kRoaming), [&](const char* r) { return object == r; });
}

} // namespace

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
        if (!Strikable(level, *floor, box))
            faults.push_back(Unreached(level, box, marker, arena, "on the same screen"));
    }
    if (markers == 0)
        faults.push_back(level.file + ":1: no placement named \"" + marker + "\"");
    return faults;
}

std::vector<Target> BossTargets(const LevelDescription& level)
{
    std::vector<Target> targets;
    for (const LevelPlacement& spawner : level.placements) {
        // The cave heads' manager (role 2) has no body of its own.
        const auto role = spawner.options.find("HeadRole");
        if (!IsBossSpawner(spawner.object) || (role != spawner.options.end() && role->second == "2"))
            continue;
        LevelPlacement body = spawner;
        for (const BodyBox& b : kBodies)
            if (spawner.object == b.spawner) {
                body.x += b.dx;
                body.y += b.dy;
                body.w = b.w;
                body.h = b.h;
            }
        const bool onOneScreen = std::any_of(std::begin(kMarkers), std::end(kMarkers),
            [&](const BodyMarkers& m) { return spawner.object == m.spawner; });
        targets.push_back({body, spawner.name.empty() ? spawner.object : spawner.name, onOneScreen});
        for (const BodyMarkers& m : kMarkers) {
            if (spawner.object != m.spawner)
                continue;
            for (const char* marker : m.markers)
                for (const LevelPlacement& p : level.placements)
                    if (p.name == marker)
                        targets.push_back({p, marker, true});
        }
    }
    return targets;
}

const LevelPlacement* NearestArena(const LevelDescription& level, const LevelPlacement& box)
{
    const auto gap = [&](const LevelPlacement& a) {
        const int gx = std::max({0, a.x - (box.x + box.w), box.x - (a.x + a.w)});
        const int gy = std::max({0, a.y - (box.y + box.h), box.y - (a.y + a.h)});
        return gx + gy;
    };
    const LevelPlacement* nearest = nullptr;
    for (const LevelPlacement& p : level.placements)
        if (p.kind == "trigger" && p.name.rfind("arena_", 0) == 0
            && (nearest == nullptr || gap(p) < gap(*nearest)))
            nearest = &p;
    return nearest;
}

std::vector<std::string> CheckBossesStrikable(const LevelDescription& level, int jumps)
{
    std::vector<std::string> faults;
    std::map<const LevelPlacement*, std::vector<Place>> reached;
    for (const Target& target : BossTargets(level)) {
        const LevelPlacement& box = target.box;
        const LevelPlacement* arena = NearestArena(level, box);
        if (arena == nullptr) {
            faults.push_back(level.file + ":" + std::to_string(box.line) + ": \"" + target.what
                + "\" has no trigger \"arena_...\" to be fought from");
            continue;
        }
        // Each arena's places are searched once, for all the targets it holds.
        auto found = reached.find(arena);
        if (found == reached.end())
            found = reached.emplace(arena, PlacesFromArena(level, *arena, jumps)).first;
        if (std::none_of(
                found->second.begin(), found->second.end(), [&](Place p) { return BlowReaches(p, box); }))
            faults.push_back(Unreached(level, box, target.what, arena->name, "in the level"));
    }
    return faults;
}

} // namespace LevelReach
