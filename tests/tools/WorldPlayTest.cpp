#include "characters/Player.h"
#include "engine/platform/DebugOutput.h"
#include "engine/render/PostChain.h"
#include "engine/serial/FileUtils.h"
#include "engine/serial/ReaderContext.h"
#include "game/Game.h"
#include "scene/Level.h"
#include "tools/world/LevelDescription.h"
#include "tools/world/WorldText.h"

#include "tests/tools/WorldFolderTest.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

// The assembled world (build/world) played by the game itself, headless: the
// library it reads, and every level entered and run.
namespace {

const std::string kData = std::string(QUENHOLT_SOURCE_DIR) + "/data";
const std::string kWorld = QUENHOLT_WORLD_DIR;

class WorldPlay : public WorldFolderTest {
protected:
    WorldPlay()
        : WorldFolderTest("quenholt-world-play")
    {
    }

    // Lines of the debug output that report a fault.
    std::vector<std::string> ErrorLines() const
    {
        std::vector<std::string> found;
        std::istringstream lines(debug.Text());
        for (std::string line; std::getline(lines, line);) {
            const std::string lower = ToLowerCase(line);
            for (const char* word :
                {"error", "expected", "cannot", "not found", "not available", "unknown", "failed", "missing"})
                if (lower.find(word) != std::string::npos) {
                    found.push_back(line);
                    break;
                }
        }
        return found;
    }
};

TEST_F(WorldPlay, TheLibraryReadsAndWritesBackByteForByteThroughTheGame)
{
    Game game;
    ASSERT_TRUE(ReadLibrary(game)) << debug.Text();
    std::ostringstream written;
    ASSERT_TRUE(game.Serialize(written));
    EXPECT_EQ(written.str(), ReadWholeFile(kWorld + "/gamelib.txt"));
    EXPECT_EQ(ErrorLines(), std::vector<std::string>());
}

TEST_F(WorldPlay, EveryLevelLoadsAndRunsThreeHundredFramesWithoutAnErrorLine)
{
    Game game;
    GiveScreenEffects(game);
    ASSERT_TRUE(ReadLibrary(game)) << debug.Text();
    {
        std::ifstream settings("init_vars.txt", std::ios::binary);
        game.RunCommandFile(settings, "init_vars.txt");
    }
    // Frames of one millisecond and passes a fixed step apart: every pass
    // below is an update frame and runs the game's logic.
    ASSERT_TRUE(game.console.ExecuteCommand("setframedelay 1"));
    for (const std::string& file : ListFiles(kData + "/levels", ".lvd")) {
        const LevelDescription description = LevelDescription::ReadFile(file);
        SCOPED_TRACE(description.level);
        debug.Clear();
        ASSERT_TRUE(game.ChangeLevel(description.level)) << debug.Text();
        ASSERT_NE(game.GetCurrentLevel(), nullptr);
        EXPECT_EQ(game.GetCurrentLevel()->GetName(), ToLowerCase(description.level));
        ASSERT_NE(game.GetPlayer(), nullptr);
        const Point<float> arrival = game.GetPlayer()->GetPosition();
        for (int frame = 0; frame < 300; ++frame) {
            fixedStep.Pass(game);
        }
        // The player is somewhere in the level, not fallen out of it.
        const Point<float> after = game.GetPlayer()->GetPosition();
        EXPECT_GE(after.y, 0.0f) << "arrived at " << arrival.y;
        EXPECT_GE(after.x, 0.0f);
        EXPECT_LE(after.x, float(description.TileWidth() * 32));
        EXPECT_EQ(ErrorLines(), std::vector<std::string>()) << debug.Text();
    }
}

// The player's position after arriving at a start point of the level's
// description: 10 px above the point.
Point<float> StartPosition(const std::string& levelFile, const std::string& startName)
{
    for (const std::string& file : ListFiles(kData + "/levels", ".lvd")) {
        const LevelDescription description = LevelDescription::ReadFile(file);
        if (ToLowerCase(description.level) != ToLowerCase(levelFile))
            continue;
        for (const LevelPlacement& p : description.placements)
            if (p.object == "Point_PlayerStart"
                && (p.options.count("name") ? p.options.at("name") : p.name) == startName)
                return Point<float>(float(p.x * 32), float(p.y * 32 + 10));
    }
    ADD_FAILURE() << "no start point " << startName << " in " << levelFile;
    return {};
}

TEST_F(WorldPlay, ChangelevelAtTheConsoleAndAnExitZoneBringThePlayerToTheNamedStartPoint)
{
    Game game;
    GiveScreenEffects(game);
    ASSERT_TRUE(ReadLibrary(game)) << debug.Text();
    {
        std::ifstream settings("init_vars.txt", std::ios::binary);
        game.RunCommandFile(settings, "init_vars.txt");
    }
    ASSERT_TRUE(game.console.ExecuteCommand("setframedelay 1"));
    auto frames = [&](int count) {
        for (int frame = 0; frame < count; ++frame) {
            fixedStep.Pass(game);
        }
    };
    // A new game's level, at the default start.
    ASSERT_TRUE(game.ChangeLevel("cemetery_01.lvl")) << debug.Text();
    ASSERT_NE(game.GetPlayer(), nullptr);
    // At the point's x, set on the floor below it.
    const Point<float> start = StartPosition("cemetery_01.lvl", "start");
    EXPECT_EQ(game.GetPlayer()->GetPosition().x, start.x);
    EXPECT_NEAR(game.GetPlayer()->GetPosition().y, start.y, 16.0f);
    frames(5);

    // The console's changelevel, as the README tells.
    ASSERT_TRUE(game.console.ExecuteCommand("changelevel Cimetery_TP_01.lvl"));
    frames(1);
    ASSERT_NE(game.GetCurrentLevel(), nullptr);
    EXPECT_EQ(game.GetCurrentLevel()->GetName(), "cimetery_tp_01.lvl");
    const Point<float> hub = StartPosition("Cimetery_TP_01.lvl", "start");
    EXPECT_NEAR(game.GetPlayer()->GetPosition().x, hub.x, 16.0f);
    EXPECT_NEAR(game.GetPlayer()->GetPosition().y, hub.y, 16.0f);

    // Back, then into the west exit: it leads to the hub's east start point.
    ASSERT_TRUE(game.console.ExecuteCommand("changelevel cemetery_01.lvl"));
    frames(1);
    ASSERT_EQ(game.GetCurrentLevel()->GetName(), "cemetery_01.lvl");
    game.GetPlayer()->SetPosition(Point<float>(8.0f, 74.0f));
    for (int frame = 0; frame < 60 && game.GetCurrentLevel()->GetName() == "cemetery_01.lvl"; ++frame)
        frames(1);
    ASSERT_EQ(game.GetCurrentLevel()->GetName(), "cimetery_tp_01.lvl") << "the exit did not fire";
    const Point<float> arrival = StartPosition("Cimetery_TP_01.lvl", "from_cemetery_01");
    EXPECT_NEAR(game.GetPlayer()->GetPosition().x, arrival.x, 16.0f);
    EXPECT_NEAR(game.GetPlayer()->GetPosition().y, arrival.y, 16.0f);
    // Standing at the arrival point, no exit fires: the player stays.
    frames(30);
    EXPECT_EQ(game.GetCurrentLevel()->GetName(), "cimetery_tp_01.lvl");
    EXPECT_EQ(ErrorLines(), std::vector<std::string>()) << debug.Text();
}

} // namespace
