#include "engine/platform/Clock.h"

#include <atomic>
#include <chrono>

namespace platform {

namespace {

// The counter of a manual clock; negative while none lives. Both threads
// read the counter.
std::atomic<int64_t> manualNow {-1};

} // namespace

int64_t QueryPerformanceCounter()
{
    if (const int64_t manual = manualNow.load(); manual >= 0)
        return manual;
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

int64_t QueryPerformanceFrequency()
{
    return 1'000'000'000;
}

ScopedManualClock::ScopedManualClock()
    : nested(manualNow.load() >= 0)
{
    // It starts where the clock stands (the real one, or the outer scope),
    // so no timer sees time run back.
    manualNow = QueryPerformanceCounter();
}

ScopedManualClock::~ScopedManualClock()
{
    if (!nested)
        manualNow = -1;
}

void ScopedManualClock::Advance(double milliseconds)
{
    manualNow += static_cast<int64_t>(milliseconds * 1'000'000.0);
}

std::tm LocalTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    return local;
}

} // namespace platform
