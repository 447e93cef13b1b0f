#pragma once

// Fixed-step pacing of the game update. Each pass adds its measured time
// step to an accumulator; a pass is an update frame once a whole frame delay
// has accumulated. Catching up is limited to one update frame per pass: with
// catch-up on, the delay is taken off and a remainder still above the delay
// is cut to the remainder of its division by the delay; with catch-up off,
// an accumulator above the delay starts again from 0.
struct FramePacing {
    double accumulator = 0.0;

    // Adds the step; true when this pass is an update frame.
    bool Advance(double timeStep, int frameDelay, bool catchUp);

    // Milliseconds of time still to accumulate before the next update frame
    // is due (0 when it is already due).
    double MillisecondsToNextTick(int frameDelay) const;
};
