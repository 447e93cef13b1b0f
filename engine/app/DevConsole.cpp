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
    for (ProfileTimer& timer : profileTimers) {
        if (timer.GetName() != label)
            continue;
        timer.Update();
        const double elapsed = timer.GetElapsed();
        const bool report = threshold == -1.0f || (threshold > 0.0f && elapsed > threshold);
        timer.RecordSample(report);
        if (report) {
            const double whole = elapsed < 2147483647.0 ? elapsed : 2147483647.0;
            platform::DebugOutput(label + " : " + std::to_string(static_cast<int>(whole)) + "\n");
        }
        return;
    }
    profileTimers.emplace_back(label);
}
