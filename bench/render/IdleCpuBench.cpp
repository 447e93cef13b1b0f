// CPU seconds per second of play: the game in a level against the floor, a
// bare SDL2 + GL program (bench/floor) drawing 300 textured quads into a
// 512 x 448 target and scaling it 2x into its 1024 x 896 window by a
// textured quad. Both draw into real X windows of 1024 x 896 on an X server
// of their own (Xvfb, 1280 x 1024, Mesa's software renderer with
// QUENHOLT_IDLE_THREADS rasterizer threads, default 2; no audio device): on
// that screen the game's window opens at twice the picture, 1024 x 896, as a
// player's does (a resize asked on the command line would restore the
// device, and a restore in play opens the pause menu). Both run side by
// side, so a loaded machine weighs on both alike; QUENHOLT_IDLE_CPUS="2,3"
// pins both to the same cores. After a warm-up (the level loads) the CPU
// time each process spends (all its threads, user and system) is sampled
// over the same stretch of wall time.
//
//   build-bench/quenholt_bench --benchmark_filter=IdleCpu
//
// Cases: the title (a first start: no save, so no level), the cemetery
// idle, the cave's fight (Hive Hollow) and the garden with its 16 spawners,
// three samples each (as iterations: the library's statistics over
// repetitions crashed now and then here). Each case checks, before and
// after it samples, that the game is in the level and the state its name
// says: the game runs with its debug output on (QUENHOLT_LOG=1), which says
// the level entered and the play state when it changes ("Play state:
// running"); the title must have no level, every level must run (no menu
// open, play not paused, no dialogue), and no other state or level may come
// during the sample. A case whose game is elsewhere fails. The player (made
// invulnerable by "god 1" in the game's user folder) is taken where the case
// says as a player would take it, by keys pressed in its window through
// xdotool: in the cemetery the keeper's introduction, which pauses play,
// is read through with the dialogue key ("space") and the player stands by
// the plinth; in the cave it walks east ("D") from the level's start
// through the doorway into the arena, whose trigger starts the heads, and
// the sample waits until the game says the first head's fight has started
// and its first insect flies (no more than kFightStartLimit each); in the
// garden it walks east for a second, past the first plant and dream catcher
// (whose blows otherwise push it out through the west exit within seconds).
// Counters: floor and game in CPU seconds per second, game / floor over all
// three samples, and the lowest and highest sample's game / floor.
// QUENHOLT_IDLE_SECONDS sets the measured stretch (default 8 s);
// QUENHOLT_IDLE_GAME runs another build of the game. The programs and the X
// server are ended in order (SIGTERM, then a wait) and the scratch folder
// goes with the benchmark.

#include "BenchEnvironment.h"

#include "game/PlayState.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sched.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr auto kWarmUp = std::chrono::seconds(5);
// After the fight's first insect, a little more for the others.
constexpr auto kFightWarmUp = std::chrono::seconds(2);
constexpr auto kFightStartLimit = std::chrono::seconds(30);
// How long a program has to end after SIGTERM before it is killed.
constexpr auto kStopLimit = std::chrono::seconds(10);

// A case: the game's arguments after the program, the console commands of
// the "init_vars.txt" in its user folder (none when empty), the level it
// must be in (none for the title) and its play state there, and, for a case
// that has to reach something before it samples, the keys a player presses
// (xdotool's words after the window is focused) and the debug lines that
// say it came, in order.
struct IdleCase {
    std::vector<std::string> arguments;
    std::vector<std::string> commands;
    std::string level;
    PlayState state = PlayState::Running;
    std::vector<std::string> keys;
    std::vector<std::string> readyLines;
};

// Pins a started process (and the threads it starts later) to the cores
// QUENHOLT_IDLE_CPUS names, if any.
void Pin(pid_t pid)
{
    const char* cpus = std::getenv("QUENHOLT_IDLE_CPUS");
    if (pid <= 0 || cpus == nullptr)
        return;
    cpu_set_t set;
    CPU_ZERO(&set);
    std::istringstream list(cpus);
    for (std::string cpu; std::getline(list, cpu, ',');)
        CPU_SET(std::atoi(cpu.c_str()), &set);
    sched_setaffinity(pid, sizeof set, &set);
}

// The scratch folder of this benchmark: the programs' user folders and logs.
std::filesystem::path ScratchFolder()
{
    return std::filesystem::temp_directory_path() / ("quenholt_idle_cpu_" + std::to_string(getpid()));
}

// Where a started program's error output goes, so that one that ends early
// can say why.
std::string LogPath(const std::string& program)
{
    return (ScratchFolder() / (std::filesystem::path(program).filename().string() + ".log")).string();
}

// The last line a program wrote to its error output, or a note that it wrote none.
std::string LastLogLine(const std::string& program)
{
    std::ifstream log(LogPath(program));
    std::string line, last;
    while (std::getline(log, line))
        if (!line.empty())
            last = line;
    return last.empty() ? "it wrote nothing" : "its last words: " + last;
}

// All a program wrote to its error output so far.
std::string LogText(const std::string& program)
{
    std::ifstream log(LogPath(program), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(log), std::istreambuf_iterator<char>());
}

// Starts a program in a folder with the environment of the benchmark's X
// server and a home, temporary and documents folder of its own (whatever
// the caller exported: BenchEnvironment), whose game user folder holds
// an "init_vars.txt" of `commands` (and the debug output on when
// `debugLog`); -1 on failure.
pid_t Start(const std::vector<std::string>& arguments, const std::string& folder, const std::string& display,
    const std::vector<std::string>& commands, bool debugLog)
{
    const std::filesystem::path documents = ScratchFolder() / "documents";
    const std::filesystem::path userFolder = documents / "My Games" / "Quenholt";
    std::filesystem::remove_all(documents);
    std::filesystem::create_directories(userFolder);
    std::filesystem::create_directories(ScratchFolder() / "home");
    std::filesystem::create_directories(ScratchFolder() / "tmp");
    if (!commands.empty()) {
        std::ofstream initVars(userFolder / "init_vars.txt", std::ios::binary);
        for (const std::string& command : commands)
            initVars << command << "\r\n";
    }
    const std::string log = LogPath(arguments.front());
    // The benchmark's display, home and user folder, whatever the caller's.
    BenchEnvironment environment(environ, display, ScratchFolder());
    const char* threads = std::getenv("QUENHOLT_IDLE_THREADS");
    environment.Set("SDL_VIDEODRIVER", "x11");
    environment.Set("MESA_SHADER_CACHE_DISABLE", "true");
    environment.Set("ALSOFT_DRIVERS", "null");
    environment.Set("SDL_AUDIODRIVER", "dummy");
    environment.Set("LP_NUM_THREADS", threads ? threads : "2");
    if (debugLog)
        environment.Set("QUENHOLT_LOG", "1");
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp = environment.Pointers();

    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    std::filesystem::current_path(previous);
    Pin(pid);
    return pid;
}

// Waits for a started process to end; kills it when it has not ended
// within `limit`. Whether it ended by itself with status 0.
bool WaitOrKill(pid_t pid, std::chrono::steady_clock::duration limit)
{
    const auto until = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= until) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Asks a started process to end (SIGTERM) and waits for it; one that has
// not ended after kStopLimit is killed.
void Stop(pid_t pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    WaitOrKill(pid, kStopLimit);
}

// An X server of the benchmark's own, 1280 x 1024 (room for the 1024 x 896
// windows), found on the path. Empty display and no process when there is none.
struct XServer {
    pid_t pid = -1;
    std::string display;
};

// Whether a client can connect to the X server on display `number`, on its
// abstract socket (shared with X servers of other folders with another /tmp,
// and tried first by clients) or on its socket file.
bool Answers(int number)
{
    for (const bool abstract : {true, false}) {
        const int probe = socket(AF_UNIX, SOCK_STREAM, 0);
        if (probe < 0)
            return false;
        sockaddr_un address {};
        address.sun_family = AF_UNIX;
        const int offset = abstract ? 1 : 0;
        const int length = std::snprintf(
            address.sun_path + offset, sizeof address.sun_path - 1, "/tmp/.X11-unix/X%d", number);
        const auto size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + length);
        const bool connected = connect(probe, reinterpret_cast<const sockaddr*>(&address), size) == 0;
        close(probe);
        if (connected)
            return true;
    }
    return false;
}

// Whether display `number` is in use: a server answers or holds its lock
// (Xvfb itself only looks at the lock files of its own /tmp).
bool DisplayTaken(int number)
{
    return Answers(number) || std::filesystem::exists("/tmp/.X" + std::to_string(number) + "-lock");
}

// Starts Xvfb on `number`; it writes the number to the descriptor once ready.
XServer StartXServerOn(int number)
{
    XServer server;
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return server;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 3);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    char display[24];
    std::snprintf(display, sizeof display, ":%d", number);
    std::vector<std::string> arguments
        = {"Xvfb", display, "-displayfd", "3", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"};
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    if (posix_spawnp(&server.pid, "Xvfb", &actions, nullptr, argv.data(), environ) != 0)
        server.pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    // Xvfb writes the number and then a newline in a second write, and ends
    // with a fatal error if the pipe is closed between the two (as happened
    // on a loaded machine): read up to the newline before closing it.
    std::string written;
    char part[16];
    while (server.pid > 0 && written.find('\n') == std::string::npos) {
        const ssize_t got = read(pipeEnds[0], part, sizeof part);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        written.append(part, static_cast<size_t>(got));
    }
    close(pipeEnds[0]);
    if (written.find('\n') != std::string::npos && std::atoi(written.c_str()) == number)
        server.display = display;
    return server;
}

XServer StartXServer()
{
    // A display number no other server answers on, from one that depends
    // on this process so that benchmarks run side by side rarely meet.
    const int first = 300 + static_cast<int>(getpid() % 600);
    for (int number = first; number < first + 40; ++number) {
        if (DisplayTaken(number))
            continue;
        XServer server = StartXServerOn(number);
        // A server that clients cannot reach (seen now and then) is no use.
        if (!server.display.empty() && Answers(number))
            return server;
        Stop(server.pid);
    }
    return {};
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

// The game built beside the benchmark, or the one QUENHOLT_IDLE_GAME names
// (to weigh two builds of the game against the same floor).
std::string GameProgram()
{
    const char* other = std::getenv("QUENHOLT_IDLE_GAME");
    return other ? other : QUENHOLT_GAME_EXE;
}

// Presses the keys in the game's window (focused first), as a player
// would; false when xdotool could not do it within kFightStartLimit.
bool PressKeys(pid_t game, const std::string& display, const std::vector<std::string>& keys)
{
    std::vector<std::string> arguments = {"xdotool", "search", "--sync", "--all", "--onlyvisible", "--pid",
        std::to_string(game), "--name", ".", "windowfocus", "--sync"};
    arguments.insert(arguments.end(), keys.begin(), keys.end());
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    BenchEnvironment environment(environ, display, ScratchFolder());
    std::vector<char*> envp = environment.Pointers();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t tool = -1;
    const bool started = posix_spawnp(&tool, "xdotool", &actions, nullptr, argv.data(), envp.data()) == 0;
    posix_spawn_file_actions_destroy(&actions);
    return started && WaitOrKill(tool, kFightStartLimit);
}

// Waits (up to kFightStartLimit) until the game's log holds the line after
// position `from`; the position after it, or npos.
size_t WaitForLine(const std::string& program, const std::string& line, size_t from)
{
    const auto limit = std::chrono::steady_clock::now() + kFightStartLimit;
    for (;;) {
        const size_t found = LogText(program).find(line, from);
        if (found != std::string::npos)
            return found + line.size();
        if (std::chrono::steady_clock::now() >= limit)
            return std::string::npos;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

// Empty when the log says the game is in the case's level and play state
// and, from position `since` on, says no other state or level came; else
// what it says instead.
std::string StateFault(const std::string& log, const IdleCase& idle, size_t since)
{
    const std::string entered = "ChangeLevel: entered \"";
    const size_t last = log.rfind(entered);
    const std::string level = last == std::string::npos
        ? ""
        : log.substr(last + entered.size(), log.find('"', last + entered.size()) - last - entered.size());
    if (level != idle.level)
        return "game was in the level \"" + level + "\", not \"" + idle.level + "\"";
    const std::optional<PlayState> state = LastPlayState(log);
    if (!state)
        return "game never said its play state";
    if (*state != idle.state)
        return "game was in the play state \"" + std::string(PlayStateName(*state)) + "\", not \""
            + std::string(PlayStateName(idle.state)) + "\"";
    const std::string_view during = std::string_view(log).substr(std::min(since, log.size()));
    if (LastPlayState(during) || during.find(entered) != std::string_view::npos)
        return "game changed its play state or level during the sample";
    return {};
}

// What came of a sample: the rates, or why there are none; a program that
// ended early is worth another try, a game in the wrong state is not.
struct SampleResult {
    double floorRate = 0.0;
    double gameRate = 0.0;
    std::string fault;
    bool tryAgain = false;
};

// Takes the game where the case says (the key held, the lines waited for);
// empty, or what failed.
std::string Reach(const IdleCase& idle, pid_t game, const std::string& display)
{
    if (!idle.keys.empty() && !PressKeys(game, display, idle.keys))
        return "game's window could not be given its keys (xdotool)";
    size_t from = 0;
    for (const std::string& line : idle.readyLines) {
        from = WaitForLine(GameProgram(), line, from);
        if (from == std::string::npos)
            return "game never said \"" + line + "\"";
    }
    if (!idle.readyLines.empty())
        std::this_thread::sleep_for(kFightWarmUp);
    return {};
}

// Runs the floor and the game side by side and samples their CPU seconds
// per second over `stretch` seconds after the warm-up, the game's state
// checked before and after.
SampleResult Sample(const IdleCase& idle, const std::string& display, double stretch)
{
    const std::string world = QUENHOLT_WORLD_DIR;
    SampleResult result;
    const pid_t floor = Start({QUENHOLT_FLOOR_EXE, "1024", "896"}, world, display, {}, false);
    std::vector<std::string> arguments = {GameProgram(), "--windowed"};
    arguments.insert(arguments.end(), idle.arguments.begin(), idle.arguments.end());
    const pid_t game = Start(arguments, world, display, idle.commands, true);
    std::this_thread::sleep_for(kWarmUp);
    result.fault = Reach(idle, game, display);
    const std::string before = LogText(GameProgram());
    if (result.fault.empty())
        result.fault = StateFault(before, idle, std::string::npos);
    const double floorStart = CpuSeconds(floor), gameStart = CpuSeconds(game);
    const auto wallStart = std::chrono::steady_clock::now();
    if (result.fault.empty())
        std::this_thread::sleep_for(std::chrono::duration<double>(stretch));
    const double floorEnd = CpuSeconds(floor), gameEnd = CpuSeconds(game);
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    if (result.fault.empty())
        result.fault = StateFault(LogText(GameProgram()), idle, before.size());
    Stop(floor);
    Stop(game);
    // A program that ended early says so before any state it left behind.
    if (floorStart < 0 || floorEnd < 0) {
        result.fault = "floor program ended early (" + LastLogLine(QUENHOLT_FLOOR_EXE) + ")";
        result.tryAgain = true;
    } else if (gameStart < 0 || gameEnd < 0) {
        result.fault = "game ended early (" + LastLogLine(GameProgram()) + ")";
        result.tryAgain = true;
    }
    result.floorRate = (floorEnd - floorStart) / wall;
    result.gameRate = (gameEnd - gameStart) / wall;
    return result;
}

void BM_IdleCpuAgainstFloor(benchmark::State& state, const IdleCase& idle)
{
    const std::string world = QUENHOLT_WORLD_DIR;
    if (!std::filesystem::exists(world + "/levels/cemetery_01.lvl")) {
        state.SkipWithError("the world is not built");
        return;
    }
    const XServer server = StartXServer();
    if (server.display.empty()) {
        Stop(server.pid);
        state.SkipWithError("no X server (Xvfb) could be started");
        return;
    }
    const char* seconds = std::getenv("QUENHOLT_IDLE_SECONDS");
    const double stretch = seconds ? std::atof(seconds) : 8.0;
    double floorSum = 0.0, gameSum = 0.0;
    double lowest = std::numeric_limits<double>::infinity(), highest = 0.0;
    std::string fault;
    for (auto _ : state) {
        // A program that ends before its stretch (seen now and then on a
        // loaded machine) costs that sample only: it is taken again.
        SampleResult sample;
        for (int attempt = 0; attempt < 3; ++attempt) {
            sample = Sample(idle, server.display, stretch);
            if (!sample.tryAgain)
                break;
        }
        if (!sample.fault.empty()) {
            fault = "the " + sample.fault + (sample.tryAgain ? ", three times" : "");
            break;
        }
        floorSum += sample.floorRate;
        gameSum += sample.gameRate;
        lowest = std::min(lowest, sample.gameRate / sample.floorRate);
        highest = std::max(highest, sample.gameRate / sample.floorRate);
    }
    Stop(server.pid);
    std::error_code ignored;
    std::filesystem::remove_all(ScratchFolder(), ignored);
    if (!fault.empty()) {
        state.SkipWithError(fault.c_str());
        return;
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["floor_cpu_per_s"] = floorSum / runs;
    state.counters["game_cpu_per_s"] = gameSum / runs;
    state.counters["game_over_floor"] = floorSum > 0.0 ? gameSum / floorSum : 0.0;
    state.counters["lowest_sample"] = lowest;
    state.counters["highest_sample"] = highest;
}
// The cemetery named on the command line (as `make run LEVEL=...` opens a
// level): its script plays the keeper's introduction, read through with the
// dialogue key, then the player stands idle by the plinth.
std::vector<std::string> ReadThroughIntroduction()
{
    std::vector<std::string> keys = {"key", "--delay", "1000"};
    keys.insert(keys.end(), 20, "space");
    return keys;
}

BENCHMARK_CAPTURE(BM_IdleCpuAgainstFloor, title, IdleCase {{}, {}, "", PlayState::NoLevel, {}, {}})
    ->Iterations(3)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_IdleCpuAgainstFloor, cemetery_01,
    IdleCase {{"cemetery_01.lvl"}, {"god 1"}, "cemetery_01.lvl", PlayState::Running,
        ReadThroughIntroduction(), {"Play state: paused", "Play state: running"}})
    ->Iterations(3)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_IdleCpuAgainstFloor, cave_02_fight,
    IdleCase {{"cave_02.lvl"}, {"god 1"}, "cave_02.lvl", PlayState::Running,
        {"keydown", "d", "sleep", "1.5", "keyup", "d"},
        {"NPC_Boss_Cave__HEAD1: the fight starts", ": an insect flies"}})
    ->Iterations(3)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_IdleCpuAgainstFloor, garden_01_16_spawners,
    IdleCase {{"garden_01.lvl"}, {"god 1"}, "garden_01.lvl", PlayState::Running,
        {"keydown", "d", "sleep", "1", "keyup", "d"}, {}})
    ->Iterations(3)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

} // namespace
