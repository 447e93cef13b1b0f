#include "tools/keys/ChildProcess.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

ChildProcess::~ChildProcess()
{
    Stop();
}

bool ChildProcess::Start(const std::vector<std::string>& argv, const std::string& folder,
    const std::vector<std::string>& environment, const std::string& outputFile)
{
    if (argv.empty())
        return false;
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    pid = fork();
    if (pid < 0)
        return false;
    if (pid == 0) {
        // The game ends with the program that started it, however that ends.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        for (const std::string& entry : environment) {
            const size_t equals = entry.find('=');
            if (equals != std::string::npos)
                setenv(entry.substr(0, equals).c_str(), entry.substr(equals + 1).c_str(), 1);
        }
        const int out = open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out >= 0) {
            dup2(out, 1);
            dup2(out, 2);
            close(out);
        }
        if (chdir(folder.c_str()) != 0)
            _exit(126);
        execv(args[0], args.data());
        _exit(127);
    }
    status = -1;
    return true;
}

bool ChildProcess::Running()
{
    if (pid <= 0)
        return false;
    int raw = 0;
    const pid_t done = waitpid(pid, &raw, WNOHANG);
    if (done == 0)
        return true;
    status = done == pid && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    pid = -1;
    return false;
}

int ChildProcess::Wait(double seconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (Running()) {
        if (std::chrono::steady_clock::now() >= end)
            return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return status;
}

void ChildProcess::Stop()
{
    if (!Running())
        return;
    kill(pid, SIGTERM);
    if (Wait(2.0) == -1 && Running()) {
        kill(pid, SIGKILL);
        Wait(2.0);
    }
}
