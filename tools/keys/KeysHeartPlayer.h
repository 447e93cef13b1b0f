#pragma once

#include "tools/keys/HeartScreen.h"

#include <deque>
#include <utility>

// A player at the Heart who plays by keys from what the window shows: he
// acts on the picture he saw kReactionMs ago (a change shows, and 400 ms
// later his keys follow), swings at most once every kMinMsBetweenBlows, and
// keeps to one plain way of fighting. Given each picture's reading and the
// time it was taken, Act says which walking keys he holds and whether he
// strikes; the program sends them through the X server.
class KeysHeartPlayer {
public:
    enum class Way {
        // Pushing against whatever stops him (the block before the west
        // cells, the east wall, the stone before the maw) and striking.
        AtTheWalls,
        // As at the walls, but back west to the stone while a thrown stone
        // is shown, and back to the east wall once none is.
        StepBackFromStones,
        // Before the west cells, half a step back from where walking west
        // stops; then as at the walls.
        HalfStepBackFromTheWest,
    };
    enum class Step { Entry, WestCells, EastCells, Maw };

    struct Keys {
        bool left = false;
        bool right = false;
        bool strike = false;
        // The jump key held (over the stone on the floor).
        bool jump = false;
    };

    static constexpr double kReactionMs = 400.0;
    static constexpr double kMinMsBetweenBlows = 660.0;
    // A jump over the stone: the key held this long, at most once in
    // kJumpEveryMs.
    static constexpr double kJumpMs = 150.0;
    static constexpr double kJumpEveryMs = 900.0;
    // Jumping west over it, no walking key from the jump's end until this
    // long after its start (he drops just past it).
    static constexpr double kDropMs = 800.0;
    // His x unchanged this long while walking: something stops him. Only
    // the block before the west cells counts (a hit's recovery holds him
    // still too); his head shows at most this far east standing by it.
    static constexpr double kStillMs = 300.0;
    static constexpr int kWestStopMaxX = 150;
    // Pushed this far east of his place, he walks back to it.
    static constexpr int kPushedOff = 32;
    // The east cell's eye dark this long once lit: it is dead.
    static constexpr double kDarkEyeMs = 1500.0;

    explicit KeysHeartPlayer(Way way);

    Keys Act(double nowMs, const HeartScreen::Reading& reading);
    Step CurrentStep() const { return step; }
    static const char* StepName(Step step);

private:
    // The reading he acts on: the newest taken kReactionMs ago or earlier.
    const HeartScreen::Reading* Seen(double nowMs) const;
    void Follow(double nowMs, const HeartScreen::Reading& seen);
    Keys Strike(double nowMs, Keys keys);
    Keys HalfStepBack(double nowMs, const HeartScreen::Reading* seen);
    // Walking toward `side` (-1 west, 1 east), jumping the stone on the
    // floor when he stands against it and wants past it.
    Keys Walk(double nowMs, int side, const HeartScreen::Reading* seen, bool overTheStone);

    Way way;
    Step step = Step::Entry;
    double start = -1.0;
    double stepStart = 0.0;
    double lastBlow = -1.0e9;
    double eyeDarkSince = -1.0;
    double jumpFrom = -1.0e9;
    // The half step back: where walking west stopped him (his head's x),
    // since when his x has not moved, and when the taps began (-1: walking
    // west to the stop).
    int stopX = -1;
    int lastX = -1;
    double stillSince = 0.0;
    double tapsFrom = -1.0;
    int taps = 0;
    // The half step is tried once; after that he stands where walking
    // stops.
    bool halfStepTried = false;
    std::deque<std::pair<double, HeartScreen::Reading>> readings;
};
