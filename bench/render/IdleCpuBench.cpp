// CPU seconds per second of play: the game idle in "cemetery_01.lvl" against
// the floor, a bare SDL2 + GL program (bench/floor) drawing 300 textured quads
// into a 512 x 448 target and scaling it 2x into the same 1024 x 896 window.
// Both run side by side, headless as the game's headless runs are (the
// offscreen video driver: Mesa's software renderer, no X server; no audio
// device), so a loaded machine weighs on both alike. After a warm-up (the
// level loads) the CPU time each process spends (all its threads, user and
// system) is sampled over the same stretch of wall time.
//
//   build-rel/quenholt_bench --benchmark_filter=IdleCpu
//
// Counters: floor and game in CPU seconds per second, and game / floor.
// QUENHOLT_IDLE_SECONDS sets the measured stretch (default 8 s).

#include <benchmark/benchmark.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr auto kWarmUp = std::chrono::seconds(5);

// Starts a program in a folder with the headless environment; -1 on failure.
pid_t Start(const std::vector<std::string>& arguments, const std::string& folder)
{
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry)
        environment.emplace_back(*entry);
    const std::filesystem::path documents
        = std::filesystem::temp_directory_path() / ("quenholt_idle_cpu_" + std::to_string(getpid()));
    std::filesystem::create_directories(documents);
    for (const char* setting : {"SDL_VIDEODRIVER=offscreen", "MESA_SHADER_CACHE_DISABLE=true",
             "ALSOFT_DRIVERS=null", "SDL_AUDIODRIVER=dummy"})
        environment.emplace_back(setting);
    // The game's settings make its user folder under the documents folder:
    // a scratch one, never the user's own.
    environment.push_back("XDG_DOCUMENTS_DIR=" + documents.string());
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    std::filesystem::current_path(previous);
    return pid;
}

void Stop(pid_t pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
}

// User plus system CPU seconds of the process so far, all threads; -1 when
// it is gone.
double CpuSeconds(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    if (!std::getline(stat, text))
        return -1.0;
    // The fields after the command's closing parenthesis: state is field 3,
    // utime 14 and stime 15.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    unsigned long long user = 0, system = 0;
    for (int index = 3; fields >> field; ++index) {
        if (index == 3 && field == "Z")
            return -1.0;
        if (index == 14)
            user = std::stoull(field);
        if (index == 15) {
            system = std::stoull(field);
            break;
        }
    }
    return static_cast<double>(user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

void BM_IdleCpuAgainstFloor(benchmark::State& state)
{
    const std::string world = QUENHOLT_WORLD_DIR;
    if (!std::filesystem::exists(world + "/levels/cemetery_01.lvl")) {
        state.SkipWithError("the world is not built");
        return;
    }
    const char* seconds = std::getenv("QUENHOLT_IDLE_SECONDS");
    const double stretch = seconds ? std::atof(seconds) : 8.0;
    double floorSum = 0.0, gameSum = 0.0;
    for (auto _ : state) {
        const pid_t floor = Start({QUENHOLT_FLOOR_EXE, "1024", "896"}, world);
        // Windowed, resized to the window the floor has: 2x the picture.
        const pid_t game
            = Start({QUENHOLT_GAME_EXE, "cemetery_01.lvl", "--windowed", "-resizewindow 1024 896"}, world);
        std::this_thread::sleep_for(kWarmUp);
        const double floorStart = CpuSeconds(floor), gameStart = CpuSeconds(game);
        const auto wallStart = std::chrono::steady_clock::now();
        std::this_thread::sleep_for(std::chrono::duration<double>(stretch));
        const double floorEnd = CpuSeconds(floor), gameEnd = CpuSeconds(game);
        const double wall
            = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
        Stop(floor);
        Stop(game);
        if (floorStart < 0 || gameStart < 0 || floorEnd < 0 || gameEnd < 0) {
            state.SkipWithError("the floor program or the game ended early");
            return;
        }
        floorSum += (floorEnd - floorStart) / wall;
        gameSum += (gameEnd - gameStart) / wall;
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["floor_cpu_per_s"] = floorSum / runs;
    state.counters["game_cpu_per_s"] = gameSum / runs;
    state.counters["game_over_floor"] = floorSum > 0.0 ? gameSum / floorSum : 0.0;
}
BENCHMARK(BM_IdleCpuAgainstFloor)->Iterations(1)->Repetitions(3)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace
