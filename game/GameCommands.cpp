#include "game/GameCommands.h"

#include "characters/Player.h"
#include "engine/app/ConsoleCommand.h"
#include "engine/app/GameWindow.h"
#include "engine/app/NumberArguments.h"
#include "engine/app/SplitCommandLine.h"
#include "engine/config/GameConfig.h"
#include "engine/config/GamePaths.h"
#include "engine/platform/DebugOutput.h"
#include "engine/platform/MessageBox.h"
#include "engine/platform/Paths.h"
#include "engine/platform/SteamUserStats.h"
#include "engine/platform/SystemName.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/IRenderEngine.h"
#include "engine/render/RenderPoolManager.h"
#include "engine/render/Screenshot.h"
#include "engine/serial/FileUtils.h"
#include "engine/sound/MusicLibrary.h"
#include "game/Game.h"
#include "scene/MapModel.h"
#include "ui/UI_Menu.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

// A window side in pixels that any screen can hold.
constexpr int32_t kMaxWindowSide = 16384;

using Tokens = std::vector<std::string>;

// One whole integer within [minimum, maximum]; a refusal is said as
// "command: expected ..., found ..." and leaves `value` unchanged.
bool ToInt(
    const std::string& command, const std::string& token, int32_t minimum, int32_t maximum, int32_t& value)
{
    ArgumentNumbers numbers;
    return numbers.Int(token, minimum, maximum, value) || numbers.Refuse(command);
}

bool ToBool(const std::string& token)
{
    return token != "0";
}

MapModel* GameMinimap(Game& game)
{
    return game.minimapModel.get();
}

// The three lines "debug" shows when it turns the debug output on.
void AddDebugBanner(DevConsole& console)
{
    console.AddDebugMessage(false, "Quenholt Project", 0xFF64C878u, -1.0);
    // The platform and the renderer the game really runs on.
    console.AddDebugMessage(false, " (Plateform) " + platform::PlatformName(), 0xFF6478DCu, -1.0);
    console.AddDebugMessage(
        false, " (Render Engine) Quenholt 2D Engine [GL] (from Velsadra Engine)", 0xFF6478DCu, -1.0);
}

} // namespace

bool RefuseWithoutGame(const std::string& command)
{
    return RefuseCommand(command, "no game is running; nothing set");
}

bool CmdUsePlayerStart(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.empty())
        return false;
    Game* game = Game::GetInstance();
    if (game == nullptr)
        return RefuseWithoutGame("useplayerstart");
    game->usePlayerStart = ToBool(tokens[0]);
    return true;
}

bool CmdSetFirstMap(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.empty())
        return false;
    Game* game = Game::GetInstance();
    if (game == nullptr)
        return RefuseWithoutGame("setfirstmap");
    game->firstMapName = tokens[0];
    return true;
}

bool CmdMinimap(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    Game* game = Game::GetInstance();
    MapModel* minimap = game != nullptr ? GameMinimap(*game) : nullptr;
    if (tokens.empty() || minimap == nullptr)
        return false;
    if (tokens[0] == "notify_all" || tokens[0] == "discover_all") {
        const int32_t state = tokens[0] == "notify_all" ? 2 : 1;
        for (int x = 0; x < MapModel::kColumns; ++x)
            for (int y = 0; y < MapModel::kRows; ++y)
                minimap->SetCell(x, y, state);
    }
    if (tokens[0] == "show_in_ui") {
        if (Player* player = game->GetPlayer())
            player->minimapEnabled = true;
    }
    return true;
}

bool CmdSave(std::string)
{
    Game* game = Game::GetInstance();
    if (game == nullptr)
        return true;
    // Without a level and its player there is no progress to capture: the
    // slot keeps what it holds instead of an empty record.
    if (game->GetCurrentLevel() == nullptr || game->GetPlayer() == nullptr) {
        platform::ReportProblem("save: no level is loaded, nothing saved\n");
        return true;
    }
    if (game->currentSaveSlot < 0) {
        platform::ReportProblem("save: no save slot is chosen (\"changesaveslot\"), nothing saved\n");
        return true;
    }
    game->saveData.CaptureGameState(false);
    game->saveData.Save(); // says itself when the file cannot be written
    return true;
}

bool CmdLoad(std::string)
{
    Game* game = Game::GetInstance();
    if (game == nullptr || game->currentSaveSlot < 0)
        return true;
    // Only a load that read the whole slot reaches the game.
    if (!game->saveData.Load(-1, true))
        return true;
    if (MapModel* minimap = GameMinimap(*game)) {
        for (int x = 0; x < MapModel::kColumns; ++x)
            for (int y = 0; y < MapModel::kRows; ++y)
                minimap->SetCell(x, y, game->saveData.GetCell(x, y));
    }
    if (Player* player = game->GetPlayer())
        player->ApplySaveData(game->saveData.GetPlayerProgress());
    return true;
}

bool CmdChangeSaveSlot(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.empty())
        return false;
    int32_t slot = 0;
    if (!ToInt("changesaveslot", tokens[0], 0, UI_Menu::kSlotCount - 1, slot))
        return false;
    Game* game = Game::GetInstance();
    if (game == nullptr)
        return RefuseWithoutGame("changesaveslot");
    game->currentSaveSlot = slot;
    return true;
}

bool CmdSetFrameDelay(std::string arguments)
{
    Game* game = Game::GetInstance();
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (game == nullptr)
        return false;
    if (tokens.empty())
        return RefuseCommand("setframedelay", "expected a frame's duration in milliseconds, found nothing");
    // The whole token, as every number: "33abc" or "1e39" is no delay. A
    // frame of less than a millisecond would run update frames without end.
    int32_t delay = 0;
    if (!ToInt("setframedelay", tokens[0], 1, static_cast<int32_t>(kMaxArgumentNumber), delay))
        return false;
    game->frameDelay = delay;
    return true;
}

bool CmdDebug(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    Game* game = Game::GetInstance();
    if (game == nullptr)
        return RefuseWithoutGame("debug");
    DevConsole& console = game->console;
    if (!tokens.empty() && (tokens[0] == "off" || tokens[0] == "0")) {
        console.messages.clear();
        console.debug = false;
    } else if (!console.debug) {
        console.debug = true;
        AddDebugBanner(console);
    }
    return true;
}

bool CmdDrawRect(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    Game* game = Game::GetInstance();
    if (tokens.size() < 2 || game == nullptr)
        return false;
    // A debug switch: it answers false whatever it set, as the console's
    // own debug commands do, and tells its runner when it set a flag; an
    // unknown zone name stores nothing.
    if (tokens[0] == "player_attackzone")
        game->drawPlayerAttackZone = ToBool(tokens[1]);
    else if (tokens[0] == "npc_hitzone")
        game->drawNpcHitZone = ToBool(tokens[1]);
    else
        return false;
    CommandDone();
    return false;
}

bool CmdGod(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.empty())
        return false;
    Game* game = Game::GetInstance();
    if (game == nullptr)
        return RefuseWithoutGame("god");
    game->godMode = ToBool(tokens[0]);
    return true;
}

bool CmdLogPlayer(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.empty())
        return false;
    int32_t setting = 0;
    if (!ToInt("logplayer", tokens[0], -1000000, 1000000, setting))
        return false;
    Game* game = Game::GetInstance();
    if (game == nullptr)
        return RefuseWithoutGame("logplayer");
    game->playerLogSetting = setting;
    return true;
}

bool CmdShowArgs(std::string arguments)
{
    for (const std::string& token : SplitCommandLine(std::move(arguments)))
        platform::DebugOutput(token);
    return true;
}

bool CmdScaleMethod(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.empty())
        return false;
    int32_t mode = 0;
    if (!ToInt("scalemethod", tokens[0], 0, GameConfig::kMaxScaleMode, mode))
        return false;
    Game* game = Game::GetInstance();
    if (game == nullptr)
        return RefuseWithoutGame("scalemethod");
    game->displayScaleMode = mode;
    return true;
}

bool CmdKeepRatio(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.empty())
        return false;
    Game* game = Game::GetInstance();
    if (game == nullptr)
        return RefuseWithoutGame("keepratio");
    game->keepAspectRatio = ToBool(tokens[0]);
    return true;
}

bool CmdResizeWindow(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.size() < 2)
        return false;
    // A window needs a size: 0 or less is no size at all.
    int32_t width = 0;
    int32_t height = 0;
    if (!ToInt("resizewindow", tokens[0], -kMaxWindowSide, kMaxWindowSide, width)
        || !ToInt("resizewindow", tokens[1], -kMaxWindowSide, kMaxWindowSide, height))
        return false;
    if (width <= 0 || height <= 0)
        return true;
    if (ResizeGameWindow(width, height))
        D3D_ResetToWindowSize();
    return true;
}

bool CmdReloadShaders(std::string)
{
    // Every shader resource is loaded again; each that fails is reported on
    // the debugger output.
    if (Game* game = Game::GetInstance())
        if (IRenderEngine* engine = game->GetRenderEngine())
            engine->ReportUnloadedShaderRes();
    return true;
}

bool CmdScreenshotAddComments(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    int32_t comments = 0;
    if (tokens.empty() || !ToInt("screenshotaddcomments", tokens[0], -1000000, 1000000, comments))
        return false;
    g_ScreenshotAddComments = comments != 0 ? 1 : 0;
    // A debug switch answers false, set or not; its runner hears it was set.
    CommandDone();
    return false;
}

bool CmdAddMusicInfo(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.size() < 2)
        return false;
    ArgumentNumbers numbers;
    double volume = 0.0;
    if (!numbers.Double(tokens[1], 0.0, 1000.0, volume))
        return numbers.Refuse("addmusicinfo");
    const bool flag = tokens.size() > 2 && tokens[2] == "1";
    Game* game = Game::GetInstance();
    if (game == nullptr)
        return RefuseWithoutGame("addmusicinfo");
    game->GetMusicLibrary()->AddOrUpdate(MusicTrack(tokens[0], flag, volume));
    return true;
}

UserFolderChoice ChooseUserFolder(const std::string& path)
{
    // A folder counts once it exists; its Screenshots folder is made beside.
    auto make = [](const std::string& folder) {
        if (folder.empty() || !platform::CreateDirectories(folder))
            return false;
        platform::CreateDirectories(folder + "Screenshots");
        return true;
    };
    UserFolderChoice choice;
    if (path != "<PERSONAL>") {
        // Folders are joined to file names by concatenation: end with a '/'.
        std::string folder = path;
        if (!folder.empty() && folder.back() != '/' && folder.back() != '\\')
            folder += '/';
        if (make(folder))
            choice.folder = folder;
        else
            choice.problem = folder + " can't be created !";
    } else {
        const std::string documents = platform::GetUserFolder();
        if (make(documents))
            return {documents, ""};
        const std::string fallback = platform::GetFallbackUserFolder();
        choice.problem = documents.empty() ? std::string("There is no documents folder (HOME is not set) !")
                                           : documents + " can't be created !";
        if (make(fallback)) {
            choice.folder = fallback;
            choice.problem += "\nSaves, settings and screenshots are kept in " + fallback + " instead.";
            return choice;
        }
        if (!fallback.empty())
            choice.problem += "\n" + fallback + " can't be created either !";
    }
    if (choice.folder.empty())
        choice.problem += "\nThe game can not save your progression and keep settings.\n\nPlease check your "
                          "security access to this folder.";
    return choice;
}

std::string RefusedUserFolder(const std::string& path)
{
    if (path == "<PERSONAL>")
        return {};
    namespace fs = std::filesystem;
    const fs::path folder(path);
    // Taken from the data folder, a relative path would put the saves and
    // the screenshots among the game's own files.
    if (!folder.is_absolute())
        return "\"" + path + "\" is a relative path; the user folder must be an absolute one";
    std::error_code error;
    const fs::path data = fs::weakly_canonical(fs::current_path(error), error);
    const fs::path chosen = fs::weakly_canonical(folder, error);
    if (error || data.empty())
        return {};
    const fs::path relative = chosen.lexically_relative(data);
    if (!relative.empty() && *relative.begin() != "..")
        return "\"" + path + "\" lies inside the data folder " + data.string();
    return {};
}

std::string SetUserFolder(const std::string& given, bool onScreen)
{
    // Checked as it will be used: the folders are made with slashes, so
    // "<data>\\" or "<parent>/e\\..\\data" name the data folder.
    const std::string path = given == "<PERSONAL>" ? given : platform::ToSlashes(given);
    const std::string before = GetUserPath();
    if (const std::string refused = RefusedUserFolder(path); !refused.empty()) {
        platform::ReportProblem("User folder: " + refused + "; it stays "
            + (before.empty() ? std::string("none, nothing is saved") : before) + "\n");
        return before;
    }
    const UserFolderChoice choice = ChooseUserFolder(path);
    // With no folder the user path is empty, and every writer of the user's
    // files then writes nothing: never into the working (data) folder.
    SetUserPath(choice.folder);
    // Said once: a settings file run again finds the same folder.
    if (!choice.problem.empty() && (onScreen || choice.folder != before)) {
        platform::ReportProblem("User folder: " + choice.problem + "\n");
        if (onScreen)
            platform::ShowMessageBox(
                "USER PATH NOT AVAILABLE", choice.problem, platform::MessageBoxIcon::Warning);
    }
    return choice.folder;
}

UserPathArgument ReadUserPathArgument(const std::string& arguments)
{
    const Tokens tokens = SplitCommandLine(arguments);
    UserPathArgument argument;
    if (!tokens.empty())
        argument.path = tokens.front();
    // The first word as written, quotes and all: a "//" inside it ends the
    // tokens there ("//" alone begins a comment in place of the folder).
    const size_t start = arguments.find_first_not_of(' ');
    if (tokens.empty() && start != std::string::npos) {
        const size_t end
            = arguments[start] == '"' ? arguments.find('"', start + 1) : arguments.find(' ', start);
        std::string word
            = arguments.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (arguments[start] == '"' && end != std::string::npos)
            word += '"';
        if (word != "//" && word.find("//") != std::string::npos)
            argument.note = "expected a folder, found " + word
                + ", which holds \"//\", where a comment begins: no folder is used";
    } else if (tokens.size() > 1) {
        argument.note = "reads one folder, found " + std::to_string(tokens.size()) + " words: uses \""
            + argument.path + "\" (a folder with blanks is written in quotes)";
    }
    return argument;
}

bool CmdSetUserPath(std::string arguments)
{
    // One token: a path with blanks is quoted, and "//" begins a comment.
    const UserPathArgument argument = ReadUserPathArgument(arguments);
    const std::string& path = argument.path;
    if (path.empty())
        return RefuseCommand(
            "setuserpath", argument.note.empty() ? "expected a folder, found nothing" : argument.note);
    if (const std::string refused = RefusedUserFolder(platform::ToSlashes(path)); !refused.empty())
        return RefuseCommand("setuserpath",
            refused + "; the user folder stays "
                + (GetUserPath().empty() ? std::string("none, nothing is saved") : GetUserPath()));
    // Said when the folder changes: the settings run again at start-up find
    // the folder their first reading (the start-up's own, which said it) set.
    const std::string before = GetUserPath();
    SetUserFolder(path);
    if (!argument.note.empty() && GetUserPath() != before)
        NoteCommand("setuserpath", argument.note);
    return true;
}

bool CmdResetSteamAchievements(std::string)
{
    // Without Steam there is nothing to reset.
    if (ISteamUserStats* steam = platform::SteamUserStats())
        steam->ResetAllStats(true);
    return true;
}
