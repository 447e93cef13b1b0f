#pragma once

#include "tools/world/LevelDescription.h"

#include <string>
#include <vector>

// Where a player gets to in a level description by ways he can see, for the
// places a fight asks him to strike. He stands in a column on a floor tile
// with three free tiles above it, walks to the next column, falls from an
// edge onto the first floor below, or jumps onto a floor at most two tiles
// higher and three columns away (a jump a new player makes at once; the
// highest jump rises a little over three tiles). A blow reaches a box that
// touches his column or the next one and his three tiles of height or the
// tile above them. Everything he uses to get there (the floor he starts from,
// each place he stands on and the box) lies inside the one 16 x 14 tile
// screen the camera shows while he stands at his start.
namespace LevelReach {

constexpr int kScreenWidth = 16;
constexpr int kScreenHeight = 14;
constexpr int kBodyHeight = 3;
constexpr int kJumpUp = 2;
constexpr int kJumpAcross = 3;

// A place to stand: the column and the first free row above its floor.
struct Place {
    int x = 0;
    int feet = 0;
    bool operator==(const Place&) const = default;
};

bool CanStand(const LevelDescription& level, Place place);

// Whether a blow from that place reaches the box (tiles, y up).
bool BlowReaches(Place from, const LevelPlacement& box);

// The places reached from `start` inside the screen the camera shows while
// the player stands there (the start first).
std::vector<Place> PlacesInView(const LevelDescription& level, Place start);

// Faults "file:line: ..." for each placement named `marker` that no blow
// reaches from a place got to from the floor of the trigger `arena` (its
// bottom row, any of its columns).
std::vector<std::string> CheckStrikable(
    const LevelDescription& level, const std::string& arena, const std::string& marker);

// A place a fight asks the player to strike: a boss's body where its spawner
// stands (moved to the body's hurt box where the body is known to be larger
// than its spawner), or a marker a boss puts a body on. The box keeps the
// line of the placement it comes from.
struct Target {
    LevelPlacement box;
    std::string what;
    // A boss whose bodies stand at places of their own round one arena (the
    // Heart's cells and maw): its whole fight is meant to show at once.
    bool onOneScreen = false;
};
std::vector<Target> BossTargets(const LevelDescription& level);

// The trigger named "arena_..." nearest to the box (by the gap between their
// boxes), or null when the level has none.
const LevelPlacement* NearestArena(const LevelDescription& level, const LevelPlacement& box);

// Faults "file:line: ..." for every boss target of the level that no blow
// reaches from a place got to from the floor of the arena nearest to it (a
// trigger named "arena_...") with at most `jumps` jumps (any number when
// negative), and for a boss without an arena.
std::vector<std::string> CheckBossesStrikable(const LevelDescription& level, int jumps = -1);

} // namespace LevelReach
