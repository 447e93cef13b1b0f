#pragma once

#include <cstdint>
#include <ctime>

namespace platform {

// The performance counter: a monotonic tick count and its ticks per second.
int64_t QueryPerformanceCounter();
int64_t QueryPerformanceFrequency();

// The local calendar time now.
std::tm LocalTime();

} // namespace platform
