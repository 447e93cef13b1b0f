#pragma once

#include "tools/keys/HeartScreen.h"

// The death fight's watch, look by look. The Warden walks into the arena and
// stands there, no key held, until the fight kills him: the HUD shows no
// life, then the picture goes black but for the HUD about a second (the
// death screen, the save reloading). Once the picture is back
// with its HUD he plays the fight from its start, his keys following
// kReactionMs later as a player's would; the watch times his first move
// (his head shifts on the screen: at the stair the level's west edge holds
// the camera) from the picture's return.
class HeartDeath {
public:
    enum class Phase {
        // Walking in, then standing still until he is killed.
        Standing,
        // The picture black: dead, the save reloading.
        Dead,
        // The picture back: he plays, and has not moved yet.
        Back,
        Moved,
    };

    static constexpr double kDarkMs = 1000.0;
    static constexpr double kReactionMs = 400.0;
    static constexpr double kMoveWithinMs = 2000.0;
    // His head this far from where it showed as his keys began (a step is
    // 21 px; turning on the spot shifts his glow less).
    static constexpr int kMovedPx = 12;

    void See(double nowMs, const HeartScreen::Reading& reading);
    Phase Current() const { return phase; }
    // His keys play the fight (the picture back, his reaction time past).
    bool Plays(double nowMs) const { return phase >= Phase::Back && nowMs >= backAt + kReactionMs; }
    double DiedAt() const { return diedAt; }
    double BackAt() const { return backAt; }
    // From the picture's return to his first move (-1: not moved).
    double MoveDelay() const { return phase == Phase::Moved ? movedAt - backAt : -1.0; }
    bool MovedInTime() const { return phase == Phase::Moved && movedAt - backAt <= kMoveWithinMs; }

private:
    Phase phase = Phase::Standing;
    double darkSince = -1.0;
    bool lifeOut = false;
    double diedAt = -1.0;
    double backAt = -1.0;
    double movedAt = -1.0;
    int fromX = -1;
};
