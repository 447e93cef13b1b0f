#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// A program the player program starts (the game): in a folder of its own,
// with the caller's environment and some variables set, its output to a
// file. Ended (SIGTERM, then SIGKILL) when dropped while it still runs.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // argv[0] is the program's path; `environment` holds "NAME=value" words.
    bool Start(const std::vector<std::string>& argv, const std::string& folder,
        const std::vector<std::string>& environment, const std::string& outputFile);
    pid_t Id() const { return pid; }
    bool Running();
    // Waits up to `seconds` for its end: its exit code, or -1 (still running,
    // or killed by a signal).
    int Wait(double seconds);
    // SIGTERM, then SIGKILL after two seconds.
    void Stop();

private:
    pid_t pid = -1;
    int status = -1;
};
