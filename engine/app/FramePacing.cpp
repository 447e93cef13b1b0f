#include "engine/app/FramePacing.h"

#include <cmath>

bool FramePacing::Advance(double timeStep, int frameDelay, bool catchUp)
{
    accumulator += timeStep;
    const double delay = static_cast<double>(frameDelay);
    if (delay > accumulator)
        return false;
    if (catchUp) {
        accumulator -= delay;
        // A delay of 0 or less updates on every pass; there is nothing to
        // divide by.
        if (accumulator > delay && frameDelay > 0)
            accumulator = std::fmod(static_cast<float>(accumulator), static_cast<float>(delay));
    } else if (accumulator > delay) {
        accumulator = 0.0;
    }
    return true;
}

double FramePacing::MillisecondsToNextTick(int frameDelay) const
{
    const double left = static_cast<double>(frameDelay) - accumulator;
    return left > 0.0 ? left : 0.0;
}
