#pragma once

#include "tools/run/RunPilot.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

// A player at the Heart, as the fight is meant for: he sees only what is
// drawn (each body's look, place and size), acts on a danger only once it
// has been on the screen for his reaction time, swings the scythe at most
// once every kMinPassesBetweenBlows passes, and keeps to one plain way of
// fighting. He plays by keys through the run's pilot, from the arena's
// entry until the maw is down (won) or he is (lost).
class HeartPlayer {
public:
    enum class Way {
        // Against the west wall (or whatever stops him first) for the west
        // cells, against the east wall for the east cells, against the
        // stone before the maw for the maw.
        AtTheWalls,
        // As at the walls, but back to the stone while a thrown stone is
        // shown, and back to the east wall once none is.
        StepBackFromStones,
        // One step back from where the west wall stops him for the west
        // cells, then as at the walls.
        OneStepBackFromTheWest,
    };

    // 400 ms at one update frame a pass.
    static constexpr int kReactionPasses = 12;
    static constexpr int kMinPassesBetweenBlows = 20;

    struct Result {
        bool won = false;
        int lifeLeft = 0;
        // The least life he had at any time in the fight.
        int lowestLife = 0;
        int passes = 0;
        // Where a lost fight was lost: "west cells", "east cells", "maw", or
        // "time" when it did not end in the passes given.
        std::string lostAt;
    };

    HeartPlayer(RunPilot& pilot, Way way);

    // Plays from where the player stands (above the arena's floor, the
    // fight not started) until won, lost or `limit` passes.
    Result Fight(int limit);

    // What is drawn: a body's look and its box (y up, x0 < x1, y0 < y1).
    struct Sight {
        std::string look;
        float x0 = 0.0f, y0 = 0.0f, x1 = 0.0f, y1 = 0.0f;
    };

private:
    enum class Step { None, WestCells, EastCells, Maw };

    std::vector<Sight> Look() const;
    // The view he acts on: the one drawn kReactionPasses ago.
    const std::vector<Sight>& Seen() const { return views.front(); }
    Step StepSeen() const;
    // Whether a body whose look starts so is seen reaching east of x.
    bool ShownEastOf(const std::string& lookPrefix, float x) const;
    RunPilot::Keys Plan();
    // Walks toward `side` until something stops him (held still for a few
    // passes) and stays there, walking back when pushed off: true once
    // there, else the keys of the walk.
    bool Reach(int side, RunPilot::Keys& keys);
    // Reaches `side`, then turns to face `strikeSide` and strikes.
    RunPilot::Keys AgainstAndStrike(int side, int strikeSide);
    RunPilot::Keys Strike(int side);

    RunPilot& pilot;
    Way way;
    std::deque<std::vector<Sight>> views;
    Step step = Step::None;
    int lastBlow = -1000;
    float lastX = 0.0f;
    int still = 0;
    bool arrived = false;
    std::optional<RunPilot::Stride> stride;
    float anchorX = 0.0f;
    // Way OneStepBackFromTheWest: passes of the step back left to take.
    int stepBack = -1;
    bool retreating = false;
};
