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
// words put before the program; they win over the debug log's QUENHOLT_LOG=1)
// and collects what it writes. With a `marker`,
// the game is sent SIGTERM as soon as its output shows it and the run goes on
// to its end (ended after 30 s, with the code 124); the code is -2 when the
// marker never showed.
inline GameRun RunGameProcess(const std::filesystem::path& folder, const std::string& arguments,
    const std::string& environment = "", const std::string& marker = "")
{
    // The shell first says its id, then becomes `timeout`, which passes the signal on to the game.
    const std::string command = "echo $$ && cd '" + folder.string() + "' && exec env QUENHOLT_LOG=1 "
        + "ASAN_OPTIONS=detect_leaks=0 " + environment + " timeout " + (marker.empty() ? "120" : "30") + " '"
        + QUENHOLT_GAME_EXE + "' " + arguments + " 2>&1";
    GameRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return run;
    pid_t game = 0;
    bool sent = false;
    std::array<char, 4096> buffer {};
    ssize_t got = 0;
    while ((got = read(fileno(pipe), buffer.data(), buffer.size())) > 0) {
        run.output.append(buffer.data(), static_cast<size_t>(got));
        if (const size_t end = run.output.find('\n'); game == 0 && end != std::string::npos) {
            game = std::stoi(run.output);
            run.output.erase(0, end + 1);
        }
        if (game > 0 && !marker.empty() && !sent && run.output.find(marker) != std::string::npos) {
            kill(game, SIGTERM);
            sent = true;
        }
    }
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (!marker.empty() && !sent)
        run.exitCode = -2;
    return run;
}
