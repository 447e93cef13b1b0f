#pragma once

#include <cstdint>
#include <ctime>

namespace platform {

// The performance counter: a monotonic tick count and its ticks per second.
int64_t QueryPerformanceCounter();
int64_t QueryPerformanceFrequency();

// While it lives, the performance counter stands still and moves only by
// Advance: a recorded run or a test steps the game's clocks by exactly one
// frame per pass, faster than real time and the same at every replay and
// whatever the machine's load. A scope opened inside another goes on from
// where the outer one stands, and at its end the outer one goes on from
// there (time never runs back).
class ScopedManualClock {
public:
    ScopedManualClock();
    ~ScopedManualClock();
    ScopedManualClock(const ScopedManualClock&) = delete;
    ScopedManualClock& operator=(const ScopedManualClock&) = delete;

    void Advance(double milliseconds);

private:
    bool nested = false;
};

// Milliseconds since this process started (from the kernel's record of its
// start, so the time before main counts too); -1 where it cannot be read.
double MillisecondsSinceProcessStart();

// The local calendar time now.
std::tm LocalTime();

} // namespace platform
