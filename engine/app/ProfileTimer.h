#pragma once

#include "engine/app/GlobalTimer.h"

#include <deque>
#include <string>

// One named timing record of the console: the time between two calls of
// DevConsole::ProfileSection with its label.
struct ProfileTimer {
    explicit ProfileTimer(std::string timerLabel)
        : label(std::move(timerLabel))
    {
    }

    // Keeps a sample, dropping the oldest beyond five.
    void AddSample(double milliseconds)
    {
        history.push_back(milliseconds);
        if (history.size() > kHistory)
            history.pop_front();
    }

    static constexpr size_t kHistory = 5;
    std::string label;
    double elapsed = 0.0; // milliseconds
    bool flag1 = false;
    bool flag2 = false;
    GlobalTimer timer;
    std::deque<double> history;
};
