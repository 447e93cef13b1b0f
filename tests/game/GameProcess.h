#pragma once

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>

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
