#pragma once

#include "engine/app/GlobalTimer.h"

#include <list>
#include <string>

// One named timing record of the console: the milliseconds its last section
// took and a short history of reported samples.
class ProfileTimer {
public:
    static constexpr size_t kHistorySize = 6;

    // Starts the clock.
    explicit ProfileTimer(std::string label);

    std::string GetName() const { return label; }
    // Stores the reported flag; a reported sample joins the history, which
    // keeps the last six.
    double RecordSample(bool report);
    // Takes the milliseconds since the previous update as the elapsed value.
    void Update();

    const std::list<double>& GetHistory() const { return history; }
    double GetElapsed() const { return elapsed; }
    bool IsRunning() const { return running; }
    bool IsReported() const { return reported; }

private:
    std::list<double> history;
    std::string label;
    double elapsed = 0.0;
    bool running = true;
    bool reported = false;
    GlobalTimer timer;
};

// Opens or closes a timed section (the same call does both): only on passes
// whose fixed-step tick is set (or when forced), the first record of the
// label is updated, or created when there is none. After the closing call its
// elapsed value is the duration of the enclosed work. Sections of the same
// label share one record.
void TimeSection(std::list<ProfileTimer>& timers, const std::string& label, bool tick);
