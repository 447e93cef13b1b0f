#include "engine/platform/Clock.h"

#include <chrono>

namespace platform {

int64_t QueryPerformanceCounter()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

int64_t QueryPerformanceFrequency()
{
    return 1'000'000'000;
}

std::tm LocalTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    return local;
}

} // namespace platform
