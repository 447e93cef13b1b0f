#pragma once

#include <array>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

// One run of the game program itself, headless, with its debug output on
// stderr, waited for to its end.
struct GameRun {
    int exitCode = -1;
    std::string output;
};

// Starts the game in `folder` with the arguments (and `environment`, "NAME=value"
// words put before the program) and collects what it writes.
inline GameRun RunGameProcess(
    const std::filesystem::path& folder, const std::string& arguments, const std::string& environment = "")
{
    const std::string command = "cd '" + folder.string() + "' && " + environment
        + " QUENHOLT_LOG=1 ASAN_OPTIONS=detect_leaks=0 timeout 120 '" + QUENHOLT_GAME_EXE + "' " + arguments
        + " 2>&1";
    GameRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return run;
    std::array<char, 4096> buffer {};
    size_t got = 0;
    while ((got = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        run.output.append(buffer.data(), got);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// The same run, sent SIGTERM as soon as its output shows `marker`; the run
// then goes on to its end (a game that does not end is ended after 30 s,
// with the code 124). The code is -2 when the marker never showed.
inline GameRun RunGameProcessTerminatedAt(
    const std::filesystem::path& folder, const std::string& arguments, const std::string& marker)
{
    GameRun run;
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return run;
    const std::string command = "cd '" + folder.string()
        + "' && QUENHOLT_LOG=1 ASAN_OPTIONS=detect_leaks=0 exec timeout 30 '" + QUENHOLT_GAME_EXE + "' "
        + arguments + " 2>&1";
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeEnds[1]);
    // The signal goes to `timeout`, which passes it on to the game.
    bool sent = false;
    std::array<char, 4096> buffer {};
    for (;;) {
        if (!sent && run.output.find(marker) != std::string::npos) {
            kill(child, SIGTERM);
            sent = true;
        }
        const ssize_t got = read(pipeEnds[0], buffer.data(), buffer.size());
        if (got <= 0)
            break;
        run.output.append(buffer.data(), static_cast<size_t>(got));
    }
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (!sent)
        run.exitCode = -2;
    return run;
}
