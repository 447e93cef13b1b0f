#pragma once

#include "engine/platform/Clock.h"
#include "game/Game.h"

// The clock of a test that steps the game: while it lives the platform clock
// stands still, and Step moves it by exactly one fixed step. A pass after a
// step is one update frame of 33 ms whatever the machine's load; on the real
// clock a slow pass (a busy machine) would make a longer step, and what the
// step drives (animations, the frame pacing) would play otherwise.
class FixedStepClock {
public:
    void Step() { clock.Advance(Game::kFixedStepMs); }
    // One step, then the game's update.
    void Pass(Game& game)
    {
        Step();
        game.Update();
    }

private:
    platform::ScopedManualClock clock;
};
