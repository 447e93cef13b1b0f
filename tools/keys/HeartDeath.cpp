#include "tools/keys/HeartDeath.h"

#include <cstdlib>

void HeartDeath::See(double nowMs, const HeartScreen::Reading& reading)
{
    switch (phase) {
    case Phase::Standing:
        // The death screen is black but for the HUD, about a second: once
        // the HUD has shown no life left, its first black picture will do.
        lifeOut = lifeOut || reading.hearts == 0;
        if (!reading.dark) {
            darkSince = -1.0;
            break;
        }
        if (darkSince < 0.0)
            darkSince = nowMs;
        if (lifeOut || nowMs - darkSince >= kDarkMs) {
            phase = Phase::Dead;
            diedAt = darkSince;
        }
        break;
    case Phase::Dead:
        if (!reading.dark && reading.hud) {
            phase = Phase::Back;
            backAt = nowMs;
            fromX = reading.wardenX;
        }
        break;
    case Phase::Back:
        // Until his keys follow, his glow shifts with the respawn's pose:
        // he moves from where it shows him as they begin.
        if (!Plays(nowMs)) {
            if (reading.wardenX >= 0)
                fromX = reading.wardenX;
        } else if (fromX < 0) {
            fromX = reading.wardenX;
        } else if (reading.wardenX >= 0 && std::abs(reading.wardenX - fromX) >= kMovedPx) {
            phase = Phase::Moved;
            movedAt = nowMs;
        }
        break;
    case Phase::Moved:
        break;
    }
}
