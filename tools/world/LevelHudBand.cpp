#include "tools/world/LevelHudBand.h"

#include "engine/serial/FileUtils.h"
#include "scene/Camera.h"
#include "tools/world/GameLibraryWriter.h"
#include "tools/world/LevelModel.h"
#include "tools/world/LevelReach.h"
#include "tools/world/WorldText.h"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

namespace LevelHudBand {

namespace {

constexpr int kTile = 32;
// A standing player's body, in tiles.
constexpr int kBodyHeight = 3;

struct Blocker {
    int x = 0, y = 0; // pixels, its lower-left corner
    int horizontal = 0, vertical = 0;
};

// A box of tiles, y up from the bottom row.
struct Box {
    int x = 0, y = 0, w = 1, h = 1;
};

// The camera blockers of the level's scene layers, as the level tool places
// them.
std::vector<Blocker> Blockers(const LevelDescription& level)
{
    std::vector<Blocker> blockers;
    for (const ModelLayer& layer : BuildLevelModel(level).layers) {
        if (layer.list != 2)
            continue;
        for (const ModelInstance& i : layer.instances) {
            Blocker b {i.x, i.y};
            if (CameraBlockerSides(i.object, b.horizontal, b.vertical))
                blockers.push_back(b);
        }
    }
    return blockers;
}

// The corners (lower-left, pixels) the camera takes, by their x (each x's
// ys sorted, once each): aimed with its centre at the centre of a tile a
// player's centre can reach (one inside the level's edges, which its walls
// and exits take), then held by each blocker in view, in turn, as the game's
// camera holds it.
using Corners = std::map<int, std::vector<int>>;

// The corner of the camera aimed with its centre at the centre of tile
// (tx, ty), held by each blocker in view, in turn.
std::pair<int, int> Aim(int tx, int ty, const std::vector<Blocker>& blockers)
{
    int cx = tx * kTile + kTile / 2 - Camera::kViewHalfWidth;
    int cy = ty * kTile + kTile / 2 - Camera::kViewHalfHeight;
    for (const Blocker& b : blockers) {
        if (b.x < cx || b.x > cx + Camera::kViewFarX || b.y < cy || b.y > cy + Camera::kViewFarY)
            continue;
        if (b.horizontal == -1 && b.x > cx)
            cx = b.x;
        if (b.horizontal == 1 && b.x + kTile - 1 < cx + Camera::kViewFarX)
            cx = b.x + kTile - 1 - Camera::kViewFarX;
        if (b.vertical == -1 && b.y > cy)
            cy = b.y;
        if (b.vertical == 1 && b.y + kTile - 1 < cy + Camera::kViewFarY)
            cy = b.y + kTile - 1 - Camera::kViewFarY;
    }
    return {cx, cy};
}

Corners CameraCorners(const LevelDescription& level, const std::vector<Blocker>& blockers)
{
    Corners corners;
    for (int tx = 1; tx + 1 < level.TileWidth(); ++tx)
        for (int ty = 1; ty + 1 < level.TileHeight(); ++ty) {
            const auto [cx, cy] = Aim(tx, ty, blockers);
            corners[cx].push_back(cy);
        }
    for (auto& [cx, ys] : corners) {
        std::sort(ys.begin(), ys.end());
        ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    }
    return corners;
}

// Whether the box shows below the band at some corner the camera takes:
// whole, or any part of it. A floor is met at every column of a level, so
// the corners are searched by their x, then by the range of ys that fits.
bool Shows(const Box& box, const Corners& corners, int band, bool whole)
{
    const int left = box.x * kTile, right = (box.x + box.w) * kTile - 1;
    const int bottom = box.y * kTile, top = (box.y + box.h) * kTile - 1;
    const int shown = Camera::kViewFarY - band; // the view's height below the band, less one
    for (const auto& [viewLeft, ys] : corners) {
        const int viewRight = viewLeft + Camera::kViewFarX;
        const bool across
            = whole ? left >= viewLeft && right <= viewRight : left <= viewRight && right >= viewLeft;
        if (!across)
            continue;
        // The view's bottom y: whole, top - shown <= y <= bottom; in part,
        // bottom - shown <= y <= top.
        const int low = whole ? top - shown : bottom - shown;
        const int high = whole ? bottom : top;
        const auto y = std::lower_bound(ys.begin(), ys.end(), low);
        if (y != ys.end() && *y <= high)
            return true;
    }
    return false;
}

// A player stands in column x with his feet at row `feet`: a floor tile
// under him (a ceiling piece is drawn as a ceiling, no floor to walk on)
// and his body's tiles free.
bool CanStand(const LevelDescription& level, int x, int feet)
{
    const char under = level.TileAt(x, feet - 1);
    if (feet < 1 || !IsFloorTile(under) || under == 'T' || under == '<' || under == '>')
        return false;
    for (int y = feet; y < feet + kBodyHeight; ++y)
        if (IsSolidTile(level.TileAt(x, y)))
            return false;
    return true;
}

// Whether an exit takes a player standing there out of the level.
bool InExit(const LevelDescription& level, int x, int feet)
{
    return std::any_of(level.placements.begin(), level.placements.end(), [&](const LevelPlacement& p) {
        return p.object == "Zone_LoadMap" && x >= p.x && x < p.x + p.w && feet < p.y + p.h
            && feet + kBodyHeight > p.y;
    });
}

// What a placement is to the player: a pickup, an exit, a fight's target,
// or nothing this rule looks at (empty).
std::string Kind(const LevelPlacement& p)
{
    if (p.object == "Zone_PickupObject")
        return "pickup";
    if (p.object == "Zone_LoadMap")
        return "exit";
    const bool marker = p.kind == "trigger" && p.script.empty();
    const bool boss = p.object.rfind("Zone_NPCSpawner_", 0) == 0
        && ToLowerCase(p.object).find("boss") != std::string::npos;
    if (marker || p.object == "ZoneHolder" || boss)
        return "target";
    return {};
}

// A body a boss draws at a place of its own beside its spawner's (or the
// part of a larger body a player fights by sight), in pixels from the
// spawner's lower-left corner, y up, where the boss rests: the level tool
// does not read the pictures, so their places are written here.
struct DrawnPart {
    const char* spawner;
    const char* what;
    int x, y, w, h;
};
constexpr DrawnPart kDrawnParts[] = {
    // The Bow's beast: its body drawn 256 px east and 32 px up, and on it
    // its eye with its brow (data/art/boat_bosses.txt: x 100-237 and y
    // 138-228 down from the top of the 416 px picture); its head; its arm.
    {"Zone_NPCSpawner_Boss_Boat", "the beast's eye", 256 + 100, 32 + 416 - 229, 138, 91},
    {"Zone_NPCSpawner_Boss_Boat", "the beast's head", 256, 192, 128, 128},
    {"Zone_NPCSpawner_Boss_Boat", "the beast's arm", 0, 0, 256, 256},
    // The Heart's maw, risen.
    {"Zone_NPCSpawner_Boss_Ultimate", "the maw", 0, 0, 320, 288},
};

// Faults for each part a boss draws that goes under the band, or out of the
// view's height, while a player stands on the floor of the arena nearest to
// its spawner, at a column from which the part is in the view's width.
void CheckDrawnParts(const LevelDescription& level, const std::vector<Blocker>& blockers, int band,
    std::vector<std::string>& faults)
{
    for (const LevelPlacement& p : level.placements)
        for (const DrawnPart& part : kDrawnParts) {
            if (p.object != part.spawner)
                continue;
            const LevelPlacement* arena = LevelReach::NearestArena(level, p);
            if (arena == nullptr)
                continue; // the reach rule names a boss without an arena
            const int left = p.x * kTile + part.x, right = left + part.w - 1;
            const int bottom = p.y * kTile + part.y, top = bottom + part.h - 1;
            for (int x = arena->x; x < arena->x + arena->w; ++x) {
                if (!CanStand(level, x, arena->y))
                    continue;
                // The camera aimed at his centre, his body's middle tile.
                const auto [cx, cy] = Aim(x, arena->y + 1, blockers);
                if (right < cx || left > cx + Camera::kViewFarX)
                    continue;
                if (bottom >= cy && top <= cy + Camera::kViewFarY - band)
                    continue;
                faults.push_back(level.file + ":" + std::to_string(p.line) + ": " + part.what + " (pixels "
                    + std::to_string(left) + "-" + std::to_string(right) + " across, "
                    + std::to_string(bottom) + "-" + std::to_string(top)
                    + " up) is under the HUD's band, or out of the view, while a player stands on the floor "
                      "of \""
                    + arena->name + "\" at column " + std::to_string(x)
                    + ": expected a boss's part to show whole below the band (the view's top "
                    + std::to_string(band) + " px) while it is in the view's width");
                break;
            }
        }
}

} // namespace

std::vector<std::string> CheckClearOfBand(const LevelDescription& level, int bandHeight)
{
    Corners corners;
    std::vector<Blocker> blockers;
    try {
        blockers = Blockers(level);
        corners = CameraCorners(level, blockers);
    } catch (const WorldError&) {
        return {}; // a level the tool cannot build: its build says why
    }
    std::vector<std::string> faults;
    const std::string below = "below the HUD's band (the view's top " + std::to_string(bandHeight)
        + " px) at some camera position the camera blockers allow";
    const int width = level.TileWidth(), height = level.TileHeight();

    // Floors, a run of neighbouring columns at one height at a time.
    for (int feet = 1; feet < height; ++feet)
        for (int x = 0; x < width; ++x) {
            auto hidden = [&](int column) {
                return column < width && CanStand(level, column, feet) && !InExit(level, column, feet)
                    && !Shows({column, feet, 1, kBodyHeight}, corners, bandHeight, true);
            };
            if (!hidden(x))
                continue;
            int last = x;
            while (hidden(last + 1))
                ++last;
            faults.push_back(level.file + ":" + std::to_string(level.tilesLine + height - (feet - 1))
                + ": a player standing on the floor of row " + std::to_string(feet - 1) + " (columns "
                + std::to_string(x) + "-" + std::to_string(last)
                + ") is under the HUD's band: expected him to show whole " + below);
            x = last;
        }

    for (const LevelPlacement& p : level.placements) {
        const std::string kind = Kind(p);
        if (!kind.empty() && !Shows({p.x, p.y, p.w, p.h}, corners, bandHeight, false))
            faults.push_back(level.file + ":" + std::to_string(p.line) + ": " + kind + " \"" + p.name
                + "\" at tile (" + std::to_string(p.x) + ", " + std::to_string(p.y)
                + ") is under the HUD's band: expected it to show " + below);
    }
    CheckDrawnParts(level, blockers, bandHeight, faults);
    return faults;
}

std::vector<std::string> CheckFightsOnScreen(const LevelDescription& level, int bandHeight)
{
    std::vector<std::pair<LevelReach::Target, const LevelPlacement*>> fights;
    for (const LevelReach::Target& target : LevelReach::BossTargets(level)) {
        const LevelPlacement* arena = LevelReach::NearestArena(level, target.box);
        if (target.onOneScreen && arena != nullptr && arena->w <= LevelReach::kScreenWidth)
            fights.emplace_back(target, arena);
    }
    if (fights.empty())
        return {};
    std::vector<Blocker> blockers;
    try {
        blockers = Blockers(level);
    } catch (const WorldError&) {
        return {}; // a level the tool cannot build: its build says why
    }
    std::vector<std::string> faults;
    for (const auto& [target, arena] : fights) {
        const Box box {target.box.x, target.box.y, target.box.w, target.box.h};
        for (int x = arena->x; x < arena->x + arena->w; ++x) {
            const int feet = arena->y;
            if (!CanStand(level, x, feet))
                continue;
            // The camera aimed at his centre, his body's middle tile.
            const auto [cx, cy] = Aim(x, feet + 1, blockers);
            if (Shows(box, Corners {{cx, {cy}}}, bandHeight, true))
                continue;
            faults.push_back(level.file + ":" + std::to_string(target.box.line) + ": \"" + target.what
                + "\" at tile (" + std::to_string(box.x) + ", " + std::to_string(box.y)
                + ") is out of the view, or under the HUD's band, while a player stands on the floor of \""
                + arena->name + "\" at column " + std::to_string(x)
                + ": expected a fight on one screen to show whole from anywhere on its arena's floor");
            break;
        }
    }
    return faults;
}

} // namespace LevelHudBand
