#include "engine/app/DevConsole.h"

#include "engine/platform/DebugOutput.h"
#include "engine/serial/Point.h"

void DevConsole::AddDebugValue(
    bool countInFrames, const std::string& label, float value, uint32_t colour, double remaining)
{
    if (debug)
        AddDebugMessage(countInFrames, label + " " + std::to_string(SaturateToInt(value)), colour, remaining);
}

void DevConsole::ProfileSection(const std::string& label, bool force, float threshold)
{
    if (!force && !updateFrame)
        return;
    for (ProfileTimer& timer : timers) {
        if (timer.label != label)
            continue;
        timer.flag1 = false;
        timer.flag2 = false;
        timer.elapsed = timer.timer.Update();
        timer.AddSample(timer.elapsed);
        if (threshold == -1.0f || (threshold > 0.0f && timer.elapsed > threshold)) {
            const double whole = timer.elapsed < 2147483647.0 ? timer.elapsed : 2147483647.0;
            platform::DebugOutput(label + " : " + std::to_string(static_cast<int>(whole)) + "\n");
        }
        return;
    }
    timers.emplace_back(label);
}
