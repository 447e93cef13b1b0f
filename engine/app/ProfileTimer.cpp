#include "engine/app/ProfileTimer.h"

#include <algorithm>
#include <utility>

ProfileTimer::ProfileTimer(std::string name)
    : label(std::move(name))
{
}

double ProfileTimer::RecordSample(bool report)
{
    reported = report;
    if (report) {
        while (history.size() >= kHistorySize)
            history.pop_front();
        history.push_back(elapsed);
    }
    return elapsed;
}

void ProfileTimer::Update()
{
    running = false;
    reported = false;
    elapsed = timer.Update();
}

void TimeSection(std::list<ProfileTimer>& timers, const std::string& label, bool tick)
{
    if (!tick)
        return;
    auto found = std::find_if(
        timers.begin(), timers.end(), [&](const ProfileTimer& timer) { return timer.GetName() == label; });
    if (found == timers.end()) {
        timers.emplace_back(label);
        return;
    }
    found->Update();
    found->RecordSample(false);
}
