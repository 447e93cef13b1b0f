#include "scene/Level.h"
#include "script/Script.h"

#include "tests/game/GameProcess.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Starts the game in `folder` with the arguments, headless, and waits for it
// to end.
GameRun RunGame(const fs::path& folder, const std::string& arguments)
{
    return RunGameProcess(folder, arguments);
}

void WriteFile(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// The markers found in the output, in order of appearance.
std::vector<std::string> Markers(const std::string& output, const std::vector<std::string>& names)
{
    std::vector<std::string> found;
    size_t at = 0;
    for (;;) {
        size_t best = std::string::npos;
        std::string which;
        for (const std::string& name : names) {
            const size_t where = output.find(name, at);
            if (where < best) {
                best = where;
                which = name;
            }
        }
        if (best == std::string::npos)
            return found;
        found.push_back(which);
        at = best + which.size();
    }
}

class GLGameStartup : public testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("quenholt-startup-" + std::to_string(getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override
    {
        fs::remove_all(folder);
        fs::remove_all(folder.string() + "-user");
    }
    fs::path folder;
};

} // namespace

// The settings files and the command line's console commands run in their
// layering order around the game library, and "exit" ends the game cleanly.
// (The first run of the working folder's settings says nothing of its lines;
// "showargs" itself prints its words.)
TEST_F(GLGameStartup, SettingsRunInOrderAndExitQuitsWithCodeZero)
{
    // The user folder lies outside the data folder (a folder inside is refused).
    const fs::path user = folder.string() + "-user";
    // Words behind an unquoted folder are said once, at their line.
    WriteFile(
        folder / "init_vars.txt", "setuserpath " + user.string() + " old words\r\nshowargs mark_working\r\n");
    // A debug switch that was set says nothing, though it answers false; a
    // refused line says its reason once, at its line.
    WriteFile(user / "init_vars.txt", "mark_user\r\ndrawrect npc_hitzone 1\r\nsetplayercrossbow range 4\r\n");
    const GameRun run
        = RunGame(folder, "--windowed -mark_cli '-drawrect player_attackzone 1' -exit -mark_after_exit");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    const std::vector<std::string> order = Markers(run.output,
        {"mark_working", "mark_user", "mark_cli", "gameLib.txt was not founded", "mark_after_exit"});
    // "exit" only asks the window to close: the commands after it run too.
    EXPECT_EQ(order,
        (std::vector<std::string> {"mark_working", "gameLib.txt was not founded", "mark_working", "mark_user",
            "mark_cli", "mark_after_exit", "mark_working", "mark_cli", "mark_after_exit"}))
        << run.output;
    // The user folder holds the crash reports' folder; the user's options
    // are written only by the options menu, never by a start.
    EXPECT_TRUE(fs::is_directory(user / "Screenshots"));
    EXPECT_FALSE(fs::exists(user / "UserConfig.cfg")) << run.output;
    for (const char* quiet : {"\"drawrect\"", "drawrect player_attackzone", "\"setplayercrossbow\" expected"})
        EXPECT_EQ(run.output.find(quiet), std::string::npos) << quiet << "\n" << run.output;
    const std::string refused = (user / "init_vars.txt").string()
        + ":3: \"setplayercrossbow\" no value \"range\" (delay or speed); nothing set\n";
    EXPECT_NE(run.output.find(refused), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find(refused, run.output.find(refused) + 1), std::string::npos) << run.output;
    const std::string note
        = "init_vars.txt:1: \"setuserpath\" reads one folder, found 3 words: uses \"" + user.string();
    EXPECT_NE(run.output.find(note), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find(note, run.output.find(note) + 1), std::string::npos) << run.output;
}

// Settings that are missing say nothing: a first start in a folder without
// any, where the game says only that it saves nothing, and writes nothing
// into its working (data) folder. Settings that are no files (a folder, a
// pipe, a link to /dev/zero) are said once each, as a save slot says it,
// without waiting on them; a "setuserpath" line that names no folder is said
// once, at its line, before the start-up says it has none.
TEST_F(GLGameStartup, SettingsThatAreMissingSayNothingAndWhatIsWrongWithThemIsSaidOnce)
{
    const GameRun run = RunGame(folder, "--windowed -exit");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.output.find("init_vars.txt:"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("fx\\.fx"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("the game saves neither progress nor settings"), std::string::npos)
        << run.output;
    EXPECT_TRUE(fs::is_empty(folder)) << run.output;

    const fs::path user = folder.string() + "-user";
    const std::string none = "User folder: none (init_vars.txt sets none)";
    const struct {
        std::string settings;
        std::function<void(const fs::path&)> make; // what stands at the user's files' names
        std::vector<std::string> said;             // each once, in this order
    } cases[] = {
        {"setuserpath /home/u//saves\r\n", {},
            {"init_vars.txt:1: \"setuserpath\" expected a folder, found /home/u//saves, which holds \"//\"",
                none}},
        {"setuserpath\r\nsetuserpath // no folder\r\n", {},
            {"init_vars.txt:1: \"setuserpath\" expected a folder, found nothing",
                "init_vars.txt:2: \"setuserpath\" expected a folder, found nothing", none}},
        {"setuserpath " + user.string() + "\r\n", [](const fs::path& at) { fs::create_directories(at); }, {}},
        {"setuserpath " + user.string() + "\r\n", [](const fs::path& at) { ::mkfifo(at.c_str(), 0600); }, {}},
        {"setuserpath " + user.string() + "\r\n",
            [](const fs::path& at) { fs::create_symlink("/dev/zero", at); }, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.settings);
        fs::remove_all(user);
        WriteFile(folder / "init_vars.txt", c.settings);
        std::vector<std::string> said = c.said;
        if (c.make) {
            fs::create_directories(user);
            for (const char* name : {"UserConfig.cfg", "init_vars.txt"}) {
                c.make(user / name);
                said.push_back((user / name).string() + ": is not a regular file");
            }
        }
        const GameRun started = RunGame(folder, "--windowed -exit");
        EXPECT_EQ(started.exitCode, 0) << started.output;
        EXPECT_EQ(Markers(started.output, said), said) << started.output;
    }
}

// A level on the command line that does not exist: the game says so and
// starts on its title screen.
TEST_F(GLGameStartup, AMissingLevelStartsOnTheTitle)
{
    const GameRun run = RunGame(folder, "Missing.LVL -exit");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("Error : map file not founded"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("cannot open the level \"Missing.LVL\""), std::string::npos)
        << run.output; // as typed
}

// A level named on the command line (in capitals) opens from the level folder
// and the game runs on it until "exit".
TEST_F(GLGameStartup, ALevelOnTheCommandLineOpensFromTheLevelFolder)
{
    fs::create_directories(folder / "levels");
    Level level;
    ASSERT_TRUE(level.SaveFile((folder / "levels" / "small.lvl").string()));
    WriteFile(folder / "init_vars.txt", "setpath map levels\r\n");
    const GameRun run = RunGame(folder, "Small.LVL -exit");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("ChangeLevel: entered \"small.lvl\""), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("map file not founded"), std::string::npos) << run.output;
}

// The first level's start-up script sets the screen fade's time: the
// full-screen effects exist by then, so the line runs without an error. The
// overlay screen whose slide-in ChangeFadeTimer times comes with the game
// library: without one the line is a script error.
TEST_F(GLGameStartup, TheFirstLevelsStartUpScriptSetsTheFadeWithoutAnError)
{
    fs::create_directories(folder / "levels");
    Level level;
    ASSERT_NE(level.GetScript(), nullptr);
    level.GetScript()->SetText("ChangeFadeTimer 30\nChangeFadeToBlack 20\n");
    ASSERT_TRUE(level.SaveFile((folder / "levels" / "fade.lvl").string()));
    WriteFile(folder / "init_vars.txt", "setpath map levels\r\n");
    const GameRun run = RunGame(folder, "fade.lvl -exit");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("ChangeLevel: entered \"fade.lvl\""), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("Script Error : ChangeFadeToBlack"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("Script Error : ChangeFadeTimer 30"), std::string::npos) << run.output;
}

// Files whose reads fail (a disk error; /proc/self/mem fails every read) as
// the settings and the game library: each is refused by its name and the
// game goes on to its end.
TEST_F(GLGameStartup, SettingsAndALibraryWhoseReadsFailAreRefusedByName)
{
    if (!fs::exists("/proc/self/mem"))
        GTEST_SKIP() << "no /proc/self/mem";
    fs::create_symlink("/proc/self/mem", folder / "init_vars.txt");
    fs::create_symlink("/proc/self/mem", folder / "gamelib.txt");
    const GameRun run = RunGame(folder, "--windowed -exit");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    for (const char* said : {"init_vars.txt: expected a line, found a read error",
             "init_vars.txt:1: expected a command line, found a read error",
             "gamelib.txt:1: expected a line, found a read error"})
        EXPECT_NE(run.output.find(said), std::string::npos) << said << "\n" << run.output;
}

// SIGTERM at any moment of the start-up, or in play, ends the game in order:
// at once before anything runs, else once the step under way is done.
TEST_F(GLGameStartup, ATermAtAnyMomentOfTheStartUpEndsTheGameInOrder)
{
    for (const char* marker : {"Program folder:", "=> In Thread", "=> PeekMesssages", "Create 'GAME'",
             "Start-up: game library loaded", "Start-up: title music started"}) {
        SCOPED_TRACE(marker);
        const GameRun run = RunGameProcess(folder, "--windowed", "", marker);
        EXPECT_EQ(run.exitCode, 0) << run.output;
        EXPECT_NE(run.output.find("Asked to end: the game ended in order"), std::string::npos) << run.output;
    }
}

// SIGTERM in the program's first instant, before any of its code has run
// (sent at once and held, as a signal that comes while the program loads),
// is taken by the game's handler and ends the game in order, never by the
// signal's default action; again and again.
TEST_F(GLGameStartup, ATermInTheProgramsFirstInstantEndsTheGameInOrder)
{
    const std::string output = (folder / "output.txt").string();
    std::vector<std::string> words = {QUENHOLT_GAME_EXE, "--windowed", "-exit"};
    // As RunGameProcess starts it: the debug log on, no leak report.
    std::vector<std::string> environment = {"QUENHOLT_LOG=1", "ASAN_OPTIONS=detect_leaks=0"};
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string text = *variable;
        if (text.rfind("QUENHOLT_LOG=", 0) != 0 && text.rfind("ASAN_OPTIONS=", 0) != 0)
            environment.push_back(text);
    }
    const auto pointers = [](std::vector<std::string>& texts) {
        std::vector<char*> list;
        for (std::string& text : texts)
            list.push_back(text.data());
        list.push_back(nullptr);
        return list;
    };
    std::vector<char*> argv = pointers(words);
    std::vector<char*> envp = pointers(environment);
    for (int start = 0; start < 4; ++start) {
        SCOPED_TRACE(start);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
        posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        sigset_t held;
        sigemptyset(&held);
        sigaddset(&held, SIGTERM);
        posix_spawnattr_setsigmask(&attributes, &held);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);
        pid_t game = 0;
        const int spawned = posix_spawn(&game, argv[0], &actions, &attributes, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
        ASSERT_EQ(spawned, 0);
        ::kill(game, SIGTERM);
        int status = 0;
        ASSERT_EQ(::waitpid(game, &status, 0), game);
        std::ifstream file(output, std::ios::binary);
        const std::string said {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status) << "\n" << said;
        EXPECT_EQ(WEXITSTATUS(status), 0) << said;
        EXPECT_NE(said.find("Asked to end: the game ended in order"), std::string::npos) << said;
        EXPECT_EQ(said.find("Create 'GAME'"), std::string::npos) << said;
    }
}

// A start without an audio device (OpenAL on ALSA, whose settings name no
// card): the player reads the game's own lines, and none of the audio
// libraries' ("ALSA lib ...", "AL lib: (EE) ..."), which go to the debug
// output.
TEST_F(GLGameStartup, AStartWithoutAnAudioDeviceSaysSoInTheGamesOwnLinesOnly)
{
    WriteFile(folder / "no-card.conf", "");
    const GameRun run = RunGameProcess(folder, "--windowed -exit",
        "QUENHOLT_LOG=0 ALSOFT_DRIVERS=alsa ALSA_CONFIG_PATH=" + (folder / "no-card.conf").string());
    EXPECT_EQ(run.exitCode, 0) << run.output;
    for (const char* said : {"Failed creating mastering voice: 0XA005\n",
             "The sound engine can't be initialized: the game runs without sound.\n"}) {
        const size_t at = run.output.find(said);
        EXPECT_NE(at, std::string::npos) << said << "\n" << run.output;
        EXPECT_EQ(run.output.find(said, at + 1), std::string::npos) << said << "\n" << run.output;
    }
    for (const char* library : {"ALSA lib", "AL lib"})
        EXPECT_EQ(run.output.find(library), std::string::npos) << library << "\n" << run.output;
}

// An end asked while a start-up message box waits for its click (on a real
// X server: the user folder cannot be made, the documents folder and the
// data folder being under a file) closes the box, and the game ends in order.
// Run by ctest under xvfb-run; a bare run skips it.
class X11GameStartup : public GLGameStartup { };

TEST_F(X11GameStartup, ATermWhileAStartUpMessageBoxWaitsEndsTheGameInOrder)
{
    if (std::getenv("QUENHOLT_X11_TESTS") == nullptr)
        GTEST_SKIP() << "needs an X server: run through ctest";
    WriteFile(folder / "init_vars.txt", "setuserpath <PERSONAL>\r\n");
    WriteFile(folder / "file", "a file, where the folders would have to be");
    const std::string under = (folder / "file").string();
    const GameRun run = RunGameProcess(folder, "--windowed",
        "QUENHOLT_HEADLESS=0 SDL_VIDEODRIVER=x11 XDG_DOCUMENTS_DIR=" + under
            + "/Documents XDG_DATA_HOME=" + under + "/share",
        "USER PATH NOT AVAILABLE");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("Asked to end: the game ended in order"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("Create 'GAME'"), std::string::npos) << run.output;
}

// A display that takes the connection and never answers, as a graphics
// start-up that stalls: the render thread waits in it for ever.
class SilentDisplay {
public:
    SilentDisplay()
    {
        listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        for (int number = 40; listener >= 0 && number < 100 && display.empty(); ++number) {
            sockaddr_in address {};
            address.sin_family = AF_INET;
            address.sin_port = htons(static_cast<uint16_t>(6000 + number));
            address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            if (::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0
                && ::listen(listener, 4) == 0)
                display = "127.0.0.1:" + std::to_string(number);
        }
    }
    ~SilentDisplay()
    {
        if (listener >= 0)
            ::close(listener);
    }
    SilentDisplay(const SilentDisplay&) = delete;
    SilentDisplay& operator=(const SilentDisplay&) = delete;

    int listener = -1;
    std::string display;
};

// SIGTERM while the graphics start-up stalls ends the wait for the render
// thread: the game ends in order, with the code 0, without waiting out the
// wait's bound (the run's guard would end it with 124) or going on.
TEST_F(GLGameStartup, ATermWhileTheGraphicsStartUpStallsEndsTheGameInOrder)
{
    const SilentDisplay silent;
    ASSERT_FALSE(silent.display.empty()) << "no free display port";
    const GameRun run = RunGameProcess(
        folder, "--windowed", "SDL_VIDEODRIVER=x11 DISPLAY=" + silent.display, "Init Thread 'Renderpool'");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(
        Markers(run.output,
            {"Init Thread 'Renderpool'", "=> OK", "Create 'GAME'", "Asked to end: the game ended in order"}),
        (std::vector<std::string> {"Init Thread 'Renderpool'", "Asked to end: the game ended in order"}))
        << run.output;
}
