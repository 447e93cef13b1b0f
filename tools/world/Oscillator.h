#pragma once

#include "tools/world/WorldText.h"

#include <cmath>
#include <numbers>

// The running state of one synthesised voice at a fixed sample rate: the
// phase of its wave, in [0, 1), and the memory of its noise filter. The
// sound and music synthesisers shape and mix what it gives.
class Oscillator {
public:
    explicit Oscillator(double rate_)
        : rate(rate_)
    {
    }

    // Moves the phase on by one sample at hz and returns it.
    double Step(double hz)
    {
        phase += hz / rate;
        phase -= std::floor(phase);
        return phase;
    }

    // White noise through a one-pole low-pass cut at hz: one draw per sample.
    double Noise(double hz, WorldRandom& random)
    {
        const double a = 1.0 - std::exp(-kTwoPi * hz / rate);
        low += a * ((random.Unit() * 2.0 - 1.0) - low);
        return low;
    }

    // Unit waves of a phase in [0, 1).
    static double Sine(double phase) { return std::sin(kTwoPi * phase); }
    static double Triangle(double phase) { return 4.0 * std::abs(phase - 0.5) - 1.0; }

    static constexpr double kTwoPi = 2.0 * std::numbers::pi;

private:
    double rate;
    double phase = 0;
    double low = 0;
};
