#include "game/GameCommands.h"

#include "engine/config/GamePaths.h"
#include "engine/platform/SystemName.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/Screenshot.h"
#include "engine/render/ShaderRes.h"
#include "game/Game.h"
#include "scene/MapModel.h"
#include "tests/engine/platform/DebugCapture.h"
#include "tests/game/InMemorySteamUserStats.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class GameCommands : public testing::Test {
protected:
    bool Run(const std::string& line) { return game.console.ExecuteCommand(line); }
    std::vector<std::string> MessageTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& message : game.console.messages)
            texts.push_back(message.text);
        return texts;
    }

    Game game;
};

TEST_F(GameCommands, DebugBannerTogglesOnceEachWay)
{
    // The real platform and renderer, never the names of another system.
    const std::vector<std::string> banner = {"Quenholt Project", " (Plateform) " + platform::PlatformName(),
        " (Render Engine) Quenholt 2D Engine [GL] (from Velsadra Engine)"};
#ifdef __linux__
    EXPECT_EQ(platform::PlatformName(), "Linux");
#endif
    EXPECT_TRUE(Run("debug"));
    EXPECT_TRUE(game.console.debug);
    EXPECT_EQ(MessageTexts(), banner);
    EXPECT_EQ(game.console.messages.front().colour, 0xFF64C878u);
    EXPECT_EQ(game.console.messages.back().colour, 0xFF6478DCu);
    EXPECT_EQ(game.console.messages.back().remaining, -1.0);

    EXPECT_TRUE(Run("debug"));
    EXPECT_EQ(MessageTexts(), banner) << "already on: nothing added";
    for (const char* off : {"debug off", "debug 0"}) {
        EXPECT_TRUE(Run(off));
        EXPECT_FALSE(game.console.debug);
        EXPECT_TRUE(game.console.messages.empty());
        EXPECT_TRUE(Run("debug"));
        EXPECT_EQ(MessageTexts(), banner) << "on again after " << off;
    }
    game.console.AddDebugValue(false, "Enemies", 12.9f, 0xFFFFFFFFu, 1.0);
    EXPECT_EQ(game.console.messages.back().text, "Enemies 12");
}

TEST_F(GameCommands, SettingsAndTheirTokens)
{
    struct Case {
        const char* line;
        bool result;
        std::function<bool(const Game&)> holds;
    };
    const Case cases[] = {
        {"changelevel Cave_03.lvl", true,
            [](const Game& g) {
                return g.pendingLevelFile == "Cave_03.lvl" && g.startPointName.empty()
                    && g.pendingLevelSource == Game::LevelNameSource::kTyped;
            }},
        {"changelevel Cave_TP.lvl [TELEPORT]", true,
            [](const Game& g) {
                return g.pendingLevelFile == "Cave_TP.lvl" && g.startPointName == "[TELEPORT]";
            }},
        {"changelevel", false, [](const Game& g) { return g.pendingLevelFile == "Cave_TP.lvl"; }},
        {"setframedelay 20", true, [](const Game& g) { return g.frameDelay == 20; }},
        {"setframedelay 0", false, [](const Game& g) { return g.frameDelay == 20; }},
        {"setframedelay -4", false, [](const Game& g) { return g.frameDelay == 20; }},
        {"setframedelay 1e39", false, [](const Game& g) { return g.frameDelay == 20; }},
        {"setframedelay 33abc", false, [](const Game& g) { return g.frameDelay == 20; }},
        {"keepratio false", true, [](const Game& g) { return g.keepAspectRatio; }},
        {"keepratio 0", true, [](const Game& g) { return !g.keepAspectRatio; }},
        {"useplayerstart 0", true, [](const Game& g) { return !g.usePlayerStart; }},
        {"useplayerstart no", true, [](const Game& g) { return g.usePlayerStart; }},
        {"god 1", true, [](const Game& g) { return g.godMode; }},
        {"god", false, [](const Game& g) { return g.godMode; }}, // alone: neither off nor toggled
        {"logplayer 3", true, [](const Game& g) { return g.playerLogSetting == 3; }},
        {"scalemethod 2", true, [](const Game& g) { return g.displayScaleMode == 2; }},
        {"changesaveslot 1", true, [](const Game& g) { return g.currentSaveSlot == 1; }},
        // The debug switches answer false, set or not.
        {"drawrect npc_hitzone 1", false,
            [](const Game& g) { return g.drawNpcHitZone && !g.drawPlayerAttackZone; }},
        {"drawrect player_attackzone 1", false, [](const Game& g) { return g.drawPlayerAttackZone; }},
        {"drawrect player_attackzone 0", false, [](const Game& g) { return !g.drawPlayerAttackZone; }},
        {"drawrect player_attackzone", false, [](const Game& g) { return !g.drawPlayerAttackZone; }},
        {"drawrect enemy_zone 1", false, [](const Game& g) { return g.drawNpcHitZone; }},
        {"setfirstmap Snow_01.lvl", true, [](const Game& g) { return g.firstMapName == "Snow_01.lvl"; }},
        {"resizewindow 0 300", true, [](const Game&) { return true; }},
        {"resizewindow -1 -1", true, [](const Game&) { return true; }},
        {"reloadshaders", true, [](const Game&) { return true; }},
        {"screenshotaddcomments 5", false, [](const Game&) { return g_ScreenshotAddComments == 1; }},
        {"screenshotaddcomments five", false, [](const Game&) { return g_ScreenshotAddComments == 1; }},
        {"screenshotaddcomments 0", false, [](const Game&) { return g_ScreenshotAddComments == 0; }},
    };
    const int comments = g_ScreenshotAddComments;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(Run(c.line), c.result);
        EXPECT_TRUE(c.holds(game));
    }
    g_ScreenshotAddComments = comments;
}

TEST(GameCommandsReload, ReloadShadersLoadsTheRenderEnginesShadersAgainAndReportsEachFailure)
{
    auto* engine = new DXRenderEngine();
    Game game("Quenholt", engine);
    ShaderRes gone("Gone", "fx\\NoSuchEffect.fx");
    DebugCapture debug;
    EXPECT_TRUE(game.console.ExecuteCommand("reloadshaders"));
    EXPECT_NE(debug.Text().find("Shader non charge ... Gone\n"), std::string::npos) << debug.Text();
}

TEST_F(GameCommands, MusicInfoAndShowArgs)
{
    EXPECT_TRUE(Run("addmusicinfo cave.ogg 40.5 true"));
    EXPECT_FALSE(game.GetMusicLibrary()->Find("cave.ogg")->noResume) << "only the token 1 sets the flag";
    EXPECT_TRUE(Run("addmusicinfo cave.ogg 10 1"));
    EXPECT_TRUE(game.GetMusicLibrary()->Find("cave.ogg")->noResume);

    DebugCapture debug;
    EXPECT_TRUE(Run("showargs one \"two words\" three"));
    EXPECT_EQ(debug.Text(), "onetwo wordsthree");
}

TEST_F(GameCommands, ResetSteamAchievementsOnlyWithSteam)
{
    EXPECT_TRUE(Run("resetsteamachievements"));
    InMemorySteamUserStats steam;
    steam.unlocked = {"Portal"};
    EXPECT_TRUE(Run("resetsteamachievements"));
    EXPECT_EQ(steam.calls, (std::vector<std::string> {"Reset 1"}));
    EXPECT_TRUE(steam.unlocked.empty());
}

// Sets an environment variable for its lifetime.
struct ScopedEnv {
    ScopedEnv(const char* variable, const std::string& value)
        : name(variable)
        , previous(std::getenv(variable) ? std::optional<std::string>(std::getenv(variable)) : std::nullopt)
    {
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() { previous ? setenv(name, previous->c_str(), 1) : unsetenv(name); }
    const char* name;
    std::optional<std::string> previous;
};

// The user folder is made with its Screenshots folder. "<PERSONAL>" in a
// documents folder that cannot be made falls back to the data folder, then
// to no saving. The working folder stands for the data folder: nothing is
// ever written there, whatever the user folder becomes.
TEST_F(GameCommands, SetUserPathMakesTheFolderOrFallsBackToTheDataFolderThenToNoSaving)
{
    const fs::path root = fs::temp_directory_path() / ("quenholt-user-" + std::to_string(getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "data");
    std::ofstream(root / "file", std::ios::binary) << "a file, where a folder would have to be";
    const fs::path working = fs::current_path();
    const std::string before = GetUserPath();
    fs::current_path(root / "data");
    EXPECT_TRUE(Run("setuserpath " + (root / "deep" / "Quenholt").string()));
    EXPECT_TRUE(fs::is_directory(root / "deep" / "Quenholt" / "Screenshots"));
    EXPECT_EQ(GetUserPath(), (root / "deep" / "Quenholt").string() + "/") << "a folder ends with '/'";
    // An existing folder without its Screenshots folder gets one.
    fs::create_directories(root / "other");
    EXPECT_TRUE(Run("setuserpath " + (root / "other").string() + "/"));
    EXPECT_TRUE(fs::is_directory(root / "other" / "Screenshots"));
    EXPECT_FALSE(Run("setuserpath"));
    // One token: a path with blanks is quoted, a comment is no part of it;
    // unquoted, its first word is used, and that is said.
    {
        DebugCapture debug;
        EXPECT_TRUE(Run("setuserpath " + (root / "My Saves").string()));
        EXPECT_EQ(GetUserPath(), (root / "My").string() + "/");
        EXPECT_NE(debug.Text().find("setuserpath: reads one folder, found 2 words: uses \""
                      + (root / "My").string() + "\" (a folder with blanks is written in quotes)"),
            std::string::npos)
            << debug.Text();
    }
    EXPECT_TRUE(Run("setuserpath \"" + (root / "My Saves").string() + "\" // where the saves go"));
    EXPECT_EQ(GetUserPath(), (root / "My Saves").string() + "/");
    EXPECT_TRUE(Run("setuserpath " + (root / "other").string() + "/ // the saves"));
    // A relative path, or one inside the data folder in any spelling the
    // folder's creation reads so, is refused: the folder stays.
    for (const std::string& refused : {std::string("."), std::string("saves"),
             (root / "data" / "saves").string(), (root / "data").string() + "\\",
             root.string() + "/e\\..\\data", root.string() + "\\data\\saves"}) {
        EXPECT_FALSE(Run("setuserpath " + refused)) << refused;
        EXPECT_EQ(GetUserPath(), (root / "other").string() + "/") << refused;
    }
    {
        ScopedEnv documents("XDG_DOCUMENTS_DIR", (root / "file" / "Documents").string());
        ScopedEnv data("XDG_DATA_HOME", (root / "share").string());
        DebugCapture debug;
        EXPECT_TRUE(Run("setuserpath <PERSONAL>"));
        EXPECT_EQ(GetUserPath(), (root / "share" / "Quenholt").string() + "/");
        EXPECT_TRUE(fs::is_directory(root / "share" / "Quenholt" / "Screenshots"));
        EXPECT_NE(debug.Text().find("Saves, settings and screenshots are kept in " + GetUserPath()),
            std::string::npos)
            << debug.Text();
        EXPECT_TRUE(game.GetConfig()->SaveUserConfig());
        EXPECT_TRUE(fs::exists(root / "share" / "Quenholt" / "UserConfig.cfg"));

        // Neither folder can be made: the game plays without saving, and
        // says so.
        ScopedEnv noData("XDG_DATA_HOME", (root / "file" / "share").string());
        debug.Clear();
        EXPECT_EQ(SetUserFolder("<PERSONAL>"), "");
        EXPECT_EQ(GetUserPath(), "");
        EXPECT_NE(debug.Text().find("The game can not save your progression"), std::string::npos)
            << debug.Text();
        std::string reason;
        EXPECT_FALSE(game.GetConfig()->SaveUserConfig(&reason));
        EXPECT_EQ(reason, "there is no user folder");
        game.currentSaveSlot = 0;
        game.minimapModel = std::make_unique<MapModel>();
        EXPECT_FALSE(game.saveData.Save());
        EXPECT_NE(debug.Text().find("Cannot save: there is no user folder"), std::string::npos)
            << debug.Text();
        debug.Clear();
        EXPECT_EQ(SetUserFolder("<PERSONAL>"), "");
        EXPECT_EQ(debug.Text(), "") << "said once, not at every settings run";
    }
    EXPECT_TRUE(fs::is_empty(root / "data")) << "nothing written into the data folder";
    fs::current_path(working);
    SetUserPath(before);
    fs::remove_all(root);
}

} // namespace
