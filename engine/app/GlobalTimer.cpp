#include "engine/app/GlobalTimer.h"

#include <cmath>

#include "engine/platform/Clock.h"

GlobalTimer::GlobalTimer()
    : lastCounter(static_cast<double>(platform::QueryPerformanceCounter()))
    , ticksPerMs(static_cast<double>(platform::QueryPerformanceFrequency()) / 1000.0)
{
}

void GlobalTimer::Restart()
{
    lastCounter = static_cast<double>(platform::QueryPerformanceCounter());
}

double GlobalTimer::Update()
{
    const double now = static_cast<double>(platform::QueryPerformanceCounter());
    const double delta = (now - lastCounter) / ticksPerMs;
    lastCounter = now;
    lastDelta = delta;
    return delta;
}

double GlobalTimer::Peek() const
{
    return (static_cast<double>(platform::QueryPerformanceCounter()) - lastCounter) / ticksPerMs;
}

double GlobalTimer::GetTimeMs() const
{
    return lastCounter / ticksPerMs;
}

float CeilF(float value)
{
    return std::ceil(value);
}

float FloorF(float value)
{
    return std::floor(value);
}

float SnapToStep(bool towardZero, float value, float step, float offset)
{
    // A zero step has no grid to snap to: the value stays as it is.
    if (step == 0.0f) {
        return value;
    }
    const bool snapDown = towardZero ? value > 0.0f : value < 0.0f;
    const float steps = value / step;
    if (snapDown) {
        const float snapped = FloorF(steps) * step;
        return snapped + offset;
    }
    const float snapped = CeilF(steps) * step;
    return snapped - offset;
}
