#include "game/GameStartup.h"

#include "characters/Player.h"
#include "engine/app/CommandLine.h"
#include "engine/app/GameWindow.h"
#include "engine/app/MainLoop.h"
#include "engine/config/GameConfig.h"
#include "engine/config/GamePaths.h"
#include "engine/input/DXInputManager.h"
#include "engine/platform/Clock.h"
#include "engine/platform/CrashReport.h"
#include "engine/platform/DebugOutput.h"
#include "engine/platform/MessageBox.h"
#include "engine/platform/Mutex.h"
#include "engine/platform/Paths.h"
#include "engine/platform/Steam.h"
#include "engine/platform/Termination.h"
#include "engine/render/D3DDevice.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/PostChain.h"
#include "engine/render/RenderPoolCommand.h"
#include "engine/render/RenderPoolManager.h"
#include "engine/serial/LineReaders.h"
#include "engine/serial/ReaderContext.h"
#include "engine/sound/AudioLibraryLog.h"
#include "engine/sound/DXSoundEngine.h"
#include "engine/sound/StreamingVoiceContext.h"
#include "game/Game.h"
#include "game/GameCommands.h"
#include "game/GameFlowCommands.h"
#include "game/GameLoopAccess.h"
#include "scene/MapModel.h"
#include "ui/UI_Menu.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <mutex>
#include <string_view>

std::vector<std::string> TeleportLevelFiles;

std::vector<std::string> WorldTeleportLevelFiles()
{
    return {"Cimetery_TP_01.lvl", "Boat_TP_1.lvl", "Cimetery_TP_02.lvl", "Cave_tp.lvl", "Cimetery_TP_03.lvl",
        "snow_tp.lvl", "bibli_TP.lvl", "underwater_TP.lvl", "Garden_tp.lvl"};
}

namespace {

namespace fs = std::filesystem;

constexpr const char* kInitVars = "init_vars.txt";
// The longest the start-up waits for the render thread's window and device.
constexpr uint32_t kRenderStartBoundMs = 60000;

// Said when a request to end (SIGTERM, SIGINT) ended the game in order.
int EndedOnRequest()
{
    platform::ReportProblem("Asked to end: the game ended in order\n");
    return 0;
}

void ShowError(const std::string& text)
{
    platform::ShowMessageBox("Error", text, platform::MessageBoxIcon::Error);
}

// The user folder must be known before anything is loaded: only the
// "setuserpath" lines of the working folder's settings run here, each split
// at its first blank ("setuserpath" alone names no folder). A folder that
// cannot be made is said on screen; without any, the game saves nothing.
// What these lines say is said here, once, in the order of the lines: the
// later runs of the file leave their "setuserpath" lines unsaid.
void PreScanUserPath()
{
    constexpr std::string_view kCommand = "setuserpath";
    std::ifstream file = platform::OpenRegularFile(kInitVars);
    std::string line;
    bool named = false;
    int lineNumber = 0;
    while (file && file.peek() != std::char_traits<char>::eof() && ReadStringLine(file, line)) {
        ++lineNumber;
        if (line.rfind(kCommand, 0) != 0)
            continue;
        const size_t blank = line.find(' ');
        const UserPathArgument argument
            = ReadUserPathArgument(blank == std::string::npos ? std::string() : line.substr(blank + 1));
        const std::string where
            = std::string(kInitVars) + ":" + std::to_string(lineNumber) + ": \"setuserpath\" ";
        if (argument.path.empty())
            platform::ReportProblem(
                where + (argument.note.empty() ? "expected a folder, found nothing" : argument.note) + "\n");
        else if (!argument.note.empty())
            platform::ReportProblem(where + argument.note + "\n");
        if (!argument.path.empty()) {
            SetUserFolder(argument.path, true);
            named = true;
        }
    }
    if (file.bad())
        platform::ReportProblem(std::string(kInitVars) + ": expected a line, found "
            + std::string(kFoundReadError) + "; its user folder is not read\n");
    if (!named)
        platform::ReportProblem(std::string("User folder: none (") + kInitVars
            + " sets none): the game saves neither progress nor settings\n");
}

// Runs a settings file when there is one; a missing one is skipped without a
// word. One that is there but cannot be read (no regular file, which is never
// opened, so never waited on; no permission) is said at the first attempt
// (`problemSaid` keeps the later passes quiet).
void RunCommandFileIfPresent(Game& game, const std::string& path, Game::CommandFileReport report,
    const char* without, bool* problemSaid)
{
    std::ifstream file = platform::OpenRegularFile(path);
    if (file) {
        game.RunCommandFile(file, path, report);
        return;
    }
    if (*problemSaid)
        return;
    std::string problem;
    if (platform::IsNonRegularFile(path))
        problem = "is not a regular file";
    else if (const std::string reason = platform::OpenFailureReason(path); !reason.empty())
        problem = "cannot be opened (" + reason + ")";
    if (problem.empty())
        return;
    *problemSaid = true;
    platform::ReportProblem(path + ": " + problem + "; " + without + "\n");
}

// Each said once when it did nothing, as a settings file's line is.
void RunQueuedCommands(Game& game, const std::vector<std::string>& commands)
{
    for (const std::string& command : commands)
        game.RunReportedCommand(command, "Command line: ");
}

void LoadGameLibrary(Game& game, const std::string& name)
{
    const std::string path = name.empty() ? "gamelib.txt" : name;
    std::ifstream file = platform::OpenRegularFile(path);
    if (!file) {
        if (platform::IsNonRegularFile(path))
            platform::ReportProblem(path + ": is not a regular file\n");
        ShowError("Error : gameLib.txt was not founded");
        return;
    }
    ReaderContext context(file, path);
    if (!game.UnSerialize(file))
        ShowError("Error : gameLib.txt was not loaded");
}

// A black frame handed to the render thread, so that the window shows
// something before the first pass of the loop.
void SubmitFirstFrame(RenderPoolManager& pool)
{
    pool.ClearCurrentFrame();
    pool.AddCommand(RenderPoolCommand::Named("StartRendering"));
    RenderPoolCommand clear = RenderPoolCommand::Named("ClearScreen");
    clear.SetColour(0xFF000000u);
    pool.AddCommand(std::move(clear));
    pool.AddCommand(RenderPoolCommand::Named("EndRendering"));
    pool.AddCommand(RenderPoolCommand::Named("StretchBackbuffer true"));
    pool.SubmitFrame(true, false, false);
}

// With QUENHOLT_LOG=1: when each step of the start-up ended, for the
// start-up's profile.
void LogStartupStep(const char* step)
{
    if (platform::IsDebugLogOn())
        platform::DebugOutput(std::string("Start-up: ") + step + " at "
            + std::to_string(int(platform::MillisecondsSinceProcessStart() + 0.5)) + " ms\n");
}

void WaitUntilReady(RenderPoolManager& pool)
{
    while (pool.ready.load() == 0 && !pool.quitting.load() && !platform::TerminationRequested())
        pool.readyGoEvent.WaitFor(500);
}

// Opens the first level: the level named on the command line, else the saved
// game's map at its save point. A level that cannot be opened is shown in an
// error box and the game stays on its title.
void OpenFirstLevel(Game& game, const std::string& levelName)
{
    if (!levelName.empty()) {
        if (!game.ChangeLevel(levelName))
            ShowError("Error : map file not founded");
        return;
    }
    // The game saved last (read by the settings' "load") goes on where it
    // was saved.
    const std::string savedMap = game.saveData.GetMapName();
    if (savedMap.empty())
        return;
    game.SetStartPointName("[SAVE]");
    if (!game.ChangeLevel(savedMap, Game::LevelNameSource::kData))
        ShowError("Error : save map file not founded");
}

} // namespace

int RunGame(const std::vector<std::string>& tokens)
{
    // 1. First of all, so that a crash anywhere leaves a report and a request
    // to end is never lost.
    platform::InstallTerminationHandler();
    platform::InstallCrashHandler();

    // 2, 3, 4, 5. The command line, the teleport hubs, Steam.
    TeleportLevelFiles = WorldTeleportLevelFiles();
    const bool steamAvailable = SteamAPI_Init();
    const CommandLineOptions options = ReadCommandLineTokens(tokens);
    if (options.fullScreen)
        g_FullScreen = true;
    if (options.onTop)
        g_AlwaysOnTop = true;
    if (options.windowed)
        g_StartWindowed = true;

    // The audio libraries' own lines go to the debug output; set before any
    // thread that could read the environment starts.
    RouteAudioLibraryMessagesToDebugOutput();

    // 7. The user folder, then the crash reports' folder in it.
    PreScanUserPath();
    platform::UseUserCrashReportFolder(GetUserPath());
    std::cout << "Program folder: " << platform::GetExecutableFolder() << '\n'
              << "Data folder: " << fs::current_path().string() << '\n'
              << "User folder: " << (GetUserPath().empty() ? "none, nothing is saved" : GetUserPath()) << '\n'
              << std::flush;

    // Nothing runs yet: a request to end ends the program at once.
    if (platform::TerminationRequested())
        return EndedOnRequest();

    // 8, 9, 10. The render thread with the window, then the three engines.
    platform::DebugOutput("Init Thread 'Renderpool'\n");
    auto* renderEngine = new DXRenderEngine();
    RenderPoolManager* pool = renderEngine->SetRenderPool(new RenderPoolManager());
    const RenderPoolManager::StartResult start
        = pool->WaitForStart(kRenderStartBoundMs, [] { return platform::TerminationRequested(); });
    if (start == RenderPoolManager::StartResult::kEndAsked) {
        // Asked to end while the graphics start-up stalls: nothing of the
        // game runs yet, so it ends at once; the render thread, stuck in the
        // graphics driver, cannot be joined and ends with the program.
        const int code = EndedOnRequest();
        std::cout << std::flush;
        std::_Exit(code);
    }
    if (start == RenderPoolManager::StartResult::kTimedOut) {
        // A thread stuck in the graphics driver cannot be joined: the
        // program ends without it.
        platform::ReportProblem("The render thread did not start within "
            + std::to_string(kRenderStartBoundMs / 1000)
            + " s (the graphics start-up stalls): the game ends\n");
        std::_Exit(1);
    }
    if (start == RenderPoolManager::StartResult::kFailed) {
        delete renderEngine;
        return 1;
    }
    if (platform::TerminationRequested()) {
        delete renderEngine;
        return EndedOnRequest();
    }
    platform::DebugOutput("=> OK\n");
    LogStartupStep("window and GL device ready");
    auto* inputManager = new DXInputManager(&pool->GetInputBridge());
    auto* soundEngine = new DXSoundEngine();

    // 11, 12. Input and sound: a failure is shown and the game goes on.
    if (!inputManager->Init())
        ShowError(inputManager->GetErrorText());

    // 13. The game object.
    platform::DebugOutput("Create 'GAME'\n");
    Game game("Quenholt", renderEngine, inputManager, soundEngine);
    game.InitSoundEngine();
    GameLoopAccess access(game);
    inputManager->SetGameAccess(&access);
    platform::DebugOutput("=>OK'\n");

    // From here a request to end skips what is left of the start-up: the
    // main loop does not run, and the game shuts down as after a close.
    const auto going = [] { return !platform::TerminationRequested(); };

    // 14 to 19. Settings, the game library, the minimap, settings again, the
    // user's settings, the command line's console commands.
    // The working folder's settings run three times: the first run, before
    // the library, says nothing (each line runs again once the library is
    // read), and the pre-scan said the "setuserpath" lines.
    using Report = Game::CommandFileReport;
    constexpr const char* kBuiltIn = "the game starts with its built-in settings";
    bool settingsProblemSaid = false;
    bool userSettingsProblemSaid = false;
    RunCommandFileIfPresent(game, kInitVars, Report::kNothing, kBuiltIn, &settingsProblemSaid);
    LogStartupStep("engines and first settings ready");
    if (going())
        LoadGameLibrary(game, options.gameLibName);
    LogStartupStep("game library loaded");
    game.minimapModel = std::make_unique<MapModel>(MapModel::Minimap {});
    RunCommandFileIfPresent(game, kInitVars, Report::kNotTheUserPath, kBuiltIn, &settingsProblemSaid);
    if (!GetUserPath().empty())
        RunCommandFileIfPresent(game, GetUserPath() + kInitVars, Report::kEveryLine,
            "the user's settings are not run", &userSettingsProblemSaid);
    RunQueuedCommands(game, options.queuedCommands);

    // 20. The effects load on the render thread.
    LogStartupStep("settings run");
    pool->RequestLoadEffects();
    LogStartupStep("effects loaded");

    // The full-screen effects, the final copy as the options chose it. They
    // exist before the first level, whose start-up script may set them
    // ("ChangeFadeTimer" and the like fail without them).
    game.postEffects = std::make_unique<PostEffects>(
        CreatePostEffects(*renderEngine, game.GetConfig()->GetScaleFilter() != 0));

    // 21, 22. The first level: the one named, or the saved one.
    if (going())
        OpenFirstLevel(game, options.levelName);
    if (game.GetCurrentLevel() != nullptr && game.GetPlayer() == nullptr)
        game.SetPlayer(std::make_unique<Player>("Player"));

    // 25. Settings and the console commands once more.
    RunCommandFileIfPresent(game, kInitVars, Report::kNotTheUserPath, kBuiltIn, &settingsProblemSaid);
    RunQueuedCommands(game, options.queuedCommands);

    // 26, 27. A first frame; the render thread is then ready. Until this
    // frame is handed over the render thread may still draw a loading frame
    // into the same slot, under the game's mutex: the first frame takes it
    // too, as every pass of the loop does.
    {
        std::unique_lock<platform::TimedMutex> lock;
        if (platform::TimedMutex* mutex = game.GetGameMutex())
            lock = std::unique_lock<platform::TimedMutex>(*mutex);
        SubmitFirstFrame(*pool);
    }
    WaitUntilReady(*pool);
    LogStartupStep("first frame handed over");

    // 28, 29, 30. The title music, the menu's animations, Steam's statistics.
    if (auto* sound = dynamic_cast<DXSoundEngine*>(game.GetSoundEngine()))
        PlayStreamedMusic(sound, game.GetMainMusicPath(), false, false, 0.0);
    if (UI_Menu* menu = game.GetMenu())
        menu->RestartAnimations(true);
    (void)steamAvailable;

    LogStartupStep("title music started");
    // 31. The main loop, until the window closes or a request to end.
    if (going())
        MainLoop(access, *renderEngine).Run();

    // Shut-down: the game releases the level, its tables and the engines.
    inputManager->SetGameAccess(nullptr);
    game.Shutdown();
    return platform::TerminationRequested() ? EndedOnRequest() : 0;
}
