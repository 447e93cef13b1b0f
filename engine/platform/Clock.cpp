#include "engine/platform/Clock.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>
#include <string>

#include <time.h>
#include <unistd.h>

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

double MillisecondsSinceProcessStart()
{
    // Field 22 of /proc/self/stat is the start in clock ticks since boot; the
    // fields after the command name (which may hold blanks) start at field 3.
    std::ifstream stat("/proc/self/stat");
    std::string line;
    if (!std::getline(stat, line))
        return -1.0;
    const size_t close = line.rfind(')');
    if (close == std::string::npos)
        return -1.0;
    std::istringstream fields(line.substr(close + 1));
    std::string field;
    for (int i = 3; i < 22 && fields >> field; ++i) { }
    unsigned long long startTicks = 0;
    const long ticksPerSecond = sysconf(_SC_CLK_TCK);
    timespec now {};
    if (!(fields >> startTicks) || ticksPerSecond <= 0 || clock_gettime(CLOCK_BOOTTIME, &now) != 0)
        return -1.0;
    const double nowMs = double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
    return nowMs - double(startTicks) * 1000.0 / double(ticksPerSecond);
}

std::tm LocalTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    return local;
}

} // namespace platform
