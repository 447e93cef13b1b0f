#include "tools/world/LevelChecks.h"

#include "engine/serial/FileUtils.h"
#include "scene/SceneObjectInstance.h"
#include "tools/world/LevelHudBand.h"
#include "tools/world/LevelModel.h"
#include "tools/world/LevelReach.h"
#include "tools/world/WorldText.h"
#include "tools/world/ZonePayloads.h"

#include <algorithm>
#include <map>

namespace {

std::string Where(const LevelDescription& level, int line)
{
    return level.file + ":" + std::to_string(line) + ": ";
}

// Tiles between a point and a rectangle, counted as the larger of the two
// axis gaps (0 inside it).
int TileDistance(int x, int y, const LevelPlacement& r)
{
    int dx = std::max({r.x - x, 0, x - (r.x + r.w - 1)});
    int dy = std::max({r.y - y, 0, y - (r.y + r.h - 1)});
    return std::max(dx, dy);
}

bool Covers(const LevelPlacement& r, int x, int y)
{
    return x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
}

// A placement as the level model holds it, for its payload.
ModelInstance PlacedInstance(const LevelPlacement& p)
{
    ModelInstance i;
    i.object = p.object;
    i.name = p.name;
    i.w = p.sized ? p.w * 32 : 0;
    i.h = p.sized ? p.h * 32 : 0;
    i.options = p.options;
    i.script = p.script;
    i.line = p.line;
    return i;
}

// A trigger starts its script at the section of the event that fired: a
// section under any other label never runs, nor does a script without one.
void CheckTriggerLabels(
    const LevelDescription& level, const LevelPlacement& p, std::vector<std::string>& faults)
{
    static const char* const kLabels[]
        = {":onenter", ":onenteronce", ":onleave", ":onleaveonce", ":onstartup", ":onhit"};
    bool any = false;
    for (size_t k = 0; k < p.script.size(); ++k) {
        if (p.script[k].empty() || p.script[k][0] != ':')
            continue;
        any = true;
        const std::vector<std::string> words = SplitWords(p.script[k]);
        const std::string label = ToLowerCase(words.empty() ? p.script[k] : words[0]);
        if (std::find(std::begin(kLabels), std::end(kLabels), label) == std::end(kLabels))
            faults.push_back(Where(level, p.scriptLines[k])
                + "expected a trigger label (:OnEnter, :OnEnterOnce, :OnLeave, :OnLeaveOnce, :OnStartup, "
                  ":OnHit), found \""
                + p.script[k] + "\"");
    }
    if (!any)
        faults.push_back(Where(level, p.line) + "trigger \"" + p.name
            + "\" has no label: expected a line such as :OnEnter in its script");
}

// A trigger without a script: a named box that characters find by name (a
// boss's markers), which runs nothing.
bool IsMarker(const LevelPlacement& p)
{
    return p.kind == "trigger" && p.script.empty();
}

// A spawner of enemies (any zone "Zone_NPCSpawner_*" but a door's), placed
// or as a prop.
bool IsEnemySpawner(const LevelPlacement& p)
{
    const std::string object = ToLowerCase(p.object);
    return object.rfind("zone_npcspawner_", 0) == 0 && object.find("door") == std::string::npos;
}

// An enemy that roams its zone from the start: bosses and mini-bosses wait in
// their gated arenas until the fight starts, and a dream catcher stands still
// and sends its souls from afar (448 px), a reach no tile of room changes.
bool IsRoamingEnemySpawner(const LevelPlacement& p)
{
    const std::string object = ToLowerCase(p.object);
    return IsEnemySpawner(p) && object.find("boss") == std::string::npos
        && object.find("dreamcatcher") == std::string::npos;
}

// A player brought back by a save stands there two tiles wide and three
// high: that body keeps at least a tile clear of every roaming enemy's zone,
// or the enemy strikes before the player can move. A player arriving at a
// start point walks on at once, so his body only keeps out of the zone: an
// enemy there would strike him on arrival and could knock him back into the
// exit he came through.
void CheckArrivalsClearOfEnemies(const LevelDescription& level, std::vector<std::string>& faults)
{
    for (const LevelPlacement& arrival : level.placements) {
        const bool save = arrival.object == "Zone_Save";
        if (!save && arrival.object != "Point_PlayerStart")
            continue;
        for (const LevelPlacement& enemy : level.placements) {
            if (!IsRoamingEnemySpawner(enemy))
                continue;
            const int gapX = std::max(enemy.x - (arrival.x + 2), arrival.x - (enemy.x + enemy.w));
            const int gapY = std::max(enemy.y - (arrival.y + 3), arrival.y - (enemy.y + enemy.h));
            if (std::max(gapX, gapY) >= (save ? 1 : 0))
                continue;
            const std::string what = save
                ? "save \"" + arrival.name + "\" brings the player back"
                : "start point \"" + StartPointName(arrival) + "\" brings the player";
            faults.push_back(Where(level, arrival.line) + what + (save ? " within a tile of" : " into")
                + " the zone of \"" + enemy.name + "\" (line " + std::to_string(enemy.line)
                + (save ? "): expected a tile clear of it" : "): expected it outside"));
        }
    }
}

// Where enemies are about, a dialogue the script waits on is read with play
// paused: "PauseGameplay 1" before it, "PauseGameplay 0" after it, within the
// same section (each label starts one with play going on).
void CheckDialoguesPausePlay(const LevelDescription& level, const std::vector<std::string>& lines,
    const std::vector<int>& where, std::vector<std::string>& faults)
{
    bool paused = false;
    int pausedAt = 0;
    auto sectionEnds = [&] {
        if (paused)
            faults.push_back(Where(level, pausedAt)
                + "play is paused here and never resumed: expected "
                  "\"PauseGameplay 0\" before the section ends");
        paused = false;
    };
    for (size_t k = 0; k < lines.size(); ++k) {
        const std::vector<std::string> words = SplitWords(lines[k]);
        if (words.empty())
            continue;
        const std::string command = ToLowerCase(words[0]);
        if (command[0] == ':') {
            sectionEnds();
        } else if (command == "pausegameplay" && words.size() > 1) {
            paused = words[1] != "0";
            pausedAt = where[k];
        } else if (command == "waitevent_startdialogue_fromfile" && !paused) {
            faults.push_back(Where(level, where[k])
                + "a dialogue the player must read while enemies are about: expected \"PauseGameplay 1\" "
                  "before it and \"PauseGameplay 0\" after it");
        }
    }
    sectionEnds();
}

void CheckDialoguesPausePlay(const LevelDescription& level, std::vector<std::string>& faults)
{
    if (std::none_of(level.placements.begin(), level.placements.end(), IsEnemySpawner))
        return;
    std::vector<std::string> lines;
    std::vector<int> where;
    for (const auto& [line, at] : level.scripts) {
        lines.push_back(line);
        where.push_back(at);
    }
    CheckDialoguesPausePlay(level, lines, where, faults);
    for (const LevelPlacement& p : level.placements)
        if (p.kind == "trigger")
            CheckDialoguesPausePlay(level, p.script, p.scriptLines, faults);
}

// No open side: a player who walks or jumps against the west or east edge
// meets a solid tile there, or an exit that takes him on, at every row from
// the floor to the top (a side left open drops him out of the level).
void CheckSidesClosed(const LevelDescription& level, std::vector<std::string>& faults)
{
    const int width = level.TileWidth(), height = level.TileHeight();
    for (const int x : {0, width - 1}) {
        for (int y = 0; y < height; ++y) {
            if (IsSolidTile(level.TileAt(x, y)))
                continue;
            const bool exit = std::any_of(level.placements.begin(), level.placements.end(),
                [&](const LevelPlacement& p) { return p.object == "Zone_LoadMap" && Covers(p, x, y); });
            if (!exit)
                faults.push_back(Where(level, level.tilesLine + height - y) + "open side at tile row "
                    + std::to_string(y) + " of the " + (x == 0 ? "west" : "east")
                    + " edge: expected a solid tile or an exit there");
        }
    }
}

} // namespace

std::string StartPointName(const LevelPlacement& placement)
{
    if (placement.object != "Point_PlayerStart")
        return {};
    auto it = placement.options.find("name");
    return it != placement.options.end() ? it->second : placement.name;
}

bool IsHubLevel(const std::string& levelName)
{
    return ToLowerCase(levelName).find("_tp") != std::string::npos;
}

std::vector<std::string> CheckLevel(const LevelDescription& level, const std::set<std::string>& knownObjects)
{
    std::vector<std::string> faults;
    auto fault
        = [&](int line, const std::string& message) { faults.push_back(Where(level, line) + message); };

    if (level.cellX < 0 || level.cellX > 49 || level.cellRow < 0 || level.cellRow > 42)
        fault(1,
            "the reference cell must lie inside 0-49 x 0-42 (column 50 and row 43 are not drawn), found "
                + std::to_string(level.cellX) + " " + std::to_string(level.cellRow));
    if (level.level.size() < 5 || level.level.substr(level.level.size() - 4) != ".lvl")
        fault(1, "the level name must end with \".lvl\", found \"" + level.level + "\"");

    std::vector<const LevelPlacement*> starts, exits;
    std::map<std::string, int> names;
    int markers = 0, teleports = 0;
    for (const LevelPlacement& p : level.placements) {
        if (!knownObjects.count(p.object))
            fault(p.line, "unknown object \"" + p.object + "\": the game library has no such name");
        if (p.x < 0 || p.y < 0 || p.x + p.w > level.TileWidth() || p.y + p.h > level.TileHeight())
            fault(p.line, "\"" + p.name + "\" reaches outside the level");
        // Two chained skulls share their name: each finds the other as its
        // partner. Killing mechanisms of one name form a group: walking
        // under one makes the others strike.
        const auto sharing = std::count_if(level.placements.begin(), level.placements.end(),
            [&](const LevelPlacement& q) { return q.name == p.name && q.object == p.object; });
        const bool chainedPair = p.object == "Zone_NPCSpawner_Chained_Skull" && sharing == 2;
        const bool mechanismGroup = p.object == "Zone_NPCSpawner_Killing_Mechanism" && sharing >= 2;
        // Markers that a boss finds by name (its landing points, its imps'
        // platforms) are several places of one name: holders or triggers,
        // all of the same object.
        const bool markerGroup = (p.object == "ZoneHolder" || p.kind == "trigger") && names.count(p.name)
            && std::all_of(level.placements.begin(), level.placements.end(), [&](const LevelPlacement& q) {
                   return q.name != p.name || (q.object == p.object && q.kind == p.kind);
               });
        if (!p.name.empty() && names.count(p.name) && !chainedPair && !mechanismGroup && !markerGroup)
            fault(p.line,
                "the name \"" + p.name + "\" is already used on line " + std::to_string(names[p.name]));
        else if (!p.name.empty())
            names[p.name] = p.line;
        for (size_t k = 0; k < p.script.size(); ++k)
            if (p.script[k].find(';') != std::string::npos)
                fault(
                    p.scriptLines[k], "a script line may not hold \";\" (stored scripts break lines there)");
        if (p.kind == "trigger" && !IsMarker(p))
            CheckTriggerLabels(level, p, faults);
        // The payload the level tool will write: its options must fit its type.
        try {
            MakePayload(PlacedInstance(p), level.file);
        } catch (const WorldError& e) {
            faults.push_back(e.what());
        }

        if (p.object == "Point_PlayerStart") {
            starts.push_back(&p);
            std::string start = StartPointName(p);
            if (start == "[SAVE]" || start == "[TELEPORT]")
                fault(p.line, "the start name \"" + start + "\" is reserved for loading and teleporting");
            if (!IsFloorTile(level.TileAt(p.x, p.y - 1)))
                fault(p.line, "start point \"" + start + "\" does not stand on a floor tile");
            if (IsSolidTile(level.TileAt(p.x, p.y)))
                fault(p.line, "start point \"" + start + "\" stands inside a solid tile");
        } else if (p.object == "Zone_LoadMap") {
            exits.push_back(&p);
            bool onEdge
                = p.x == 0 || p.y == 0 || p.x + p.w == level.TileWidth() || p.y + p.h == level.TileHeight();
            if (!onEdge)
                fault(p.line, "exit \"" + p.name + "\" must touch the level's edge");
            if (!p.options.count("level") || !p.options.count("start"))
                fault(p.line, "exit \"" + p.name + "\" needs level= and start=");
        } else if (p.object == "Zone_Save") {
            auto dir = p.options.find("dir");
            if (dir == p.options.end() || dir->second != "Right")
                fault(p.line,
                    "a save faces \"Right\" exactly (dir=Right), found \""
                        + (dir == p.options.end() ? std::string() : dir->second) + "\"");
        } else if (p.object == "Point_MinimapLocation") {
            ++markers;
            if (p.x >= 16 || p.y >= 14)
                fault(p.line, "the minimap marker stands in the bottom-left screen");
        } else if (p.object == "Zone_Teleport") {
            ++teleports;
            if (!IsFloorTile(level.TileAt(p.x + p.w / 2, p.y - 1)))
                fault(p.line, "the teleport zone must stand on solid floor");
        }
    }
    for (const auto& [script, line] : level.scripts)
        if (script.find(';') != std::string::npos)
            fault(line, "a script line may not hold \";\" (stored scripts break lines there)");

    bool hasStart
        = std::any_of(starts.begin(), starts.end(), [](auto* s) { return StartPointName(*s) == "start"; });
    if (!hasStart)
        fault(1, "the level has no start point named \"start\"");
    if (markers > 1)
        fault(1, "the level has " + std::to_string(markers) + " minimap markers; it needs exactly one");
    if (IsHubLevel(level.level) && teleports != 1)
        fault(1, "a hub has exactly one Zone_Teleport, found " + std::to_string(teleports));
    for (const LevelPlacement* s : starts)
        for (const LevelPlacement* e : exits)
            if (TileDistance(s->x, s->y, *e) < 3)
                fault(s->line,
                    "start point \"" + StartPointName(*s) + "\" is closer than 3 tiles to exit \"" + e->name
                        + "\" (line " + std::to_string(e->line) + ")");

    CheckArrivalsClearOfEnemies(level, faults);
    CheckDialoguesPausePlay(level, faults);
    CheckSidesClosed(level, faults);
    for (std::string& hidden : LevelHudBand::CheckClearOfBand(level))
        faults.push_back(std::move(hidden));
    for (std::string& offScreen : LevelHudBand::CheckFightsOnScreen(level))
        faults.push_back(std::move(offScreen));
    for (std::string& unreached : LevelReach::CheckBossesStrikable(level))
        faults.push_back(std::move(unreached));

    // No bottomless gap: the bottom row is floor or lava wherever no exit
    // leaves through it.
    for (int x = 0; x < level.TileWidth(); ++x) {
        char c = level.TileAt(x, 0);
        if (IsSolidTile(c) || c == '^')
            continue;
        bool exit = std::any_of(exits.begin(), exits.end(), [&](auto* e) { return Covers(*e, x, 0); });
        if (!exit)
            fault(level.tilesLine + level.TileHeight(),
                "gap without a floor at tile column " + std::to_string(x) + " of the bottom row");
    }
    return faults;
}

std::vector<std::string> CheckWorld(const std::vector<LevelDescription>& levels)
{
    std::vector<std::string> faults;
    std::map<std::string, const LevelDescription*> byName;
    std::map<std::pair<int, int>, const LevelDescription*> byCell;
    for (const LevelDescription& level : levels) {
        std::string key = ToLowerCase(level.level);
        if (byName.count(key))
            faults.push_back(
                Where(level, 1) + "level \"" + level.level + "\" is also described in " + byName[key]->file);
        else
            byName[key] = &level;
        auto cell = std::make_pair(level.cellX, level.cellRow);
        if (byCell.count(cell))
            faults.push_back(Where(level, 1) + "reference cell " + std::to_string(level.cellX) + " "
                + std::to_string(level.cellRow) + " is also the cell of " + byCell[cell]->level);
        else
            byCell[cell] = &level;
    }
    for (const LevelDescription& level : levels)
        for (const LevelPlacement& p : level.placements) {
            if (p.object != "Zone_LoadMap" || !p.options.count("level"))
                continue;
            const std::string& target = p.options.at("level");
            auto it = byName.find(ToLowerCase(target));
            if (it == byName.end()) {
                faults.push_back(Where(level, p.line) + "exit \"" + p.name + "\" leads to \"" + target
                    + "\", which the world does not describe");
                continue;
            }
            const std::string start = p.options.count("start") ? p.options.at("start") : "";
            bool found = std::any_of(it->second->placements.begin(), it->second->placements.end(),
                [&](const LevelPlacement& q) { return StartPointName(q) == start; });
            if (!found)
                faults.push_back(Where(level, p.line) + "exit \"" + p.name + "\" arrives at start point \""
                    + start + "\", which " + target + " does not have");
        }
    return faults;
}
