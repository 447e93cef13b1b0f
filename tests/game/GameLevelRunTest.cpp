#include "game/Game.h"

#include "engine/app/MainLoop.h"
#include "engine/platform/Clock.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/RenderPoolManager.h"
#include "game/GameLoopAccess.h"
#include "scene/Level.h"

#include "engine/serial/FileUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// The game on a small level, recording its frames into a render pool that
// has no render thread (no GL needed): the hand-overs can be counted.
class GameLevelRun : public testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("quenholt-levelrun-" + std::to_string(getpid()));
        fs::create_directories(folder);
        Level level;
        ASSERT_TRUE(level.SaveFile((folder / "small.lvl").string()));
        pool->ready = 1;
        pool->idle = 1;
        std::istringstream library("GameV0\r\nQuenholt\r\n0\r\n0\r\n0\r\n0\r\n");
        game.UnSerialize(library);
        ASSERT_TRUE(game.ChangeLevel((folder / "small.lvl").string()));
        // What the render thread does with the loading screen's last frame.
        pool->loading = 0;
        pool->loadingHold = 0;
    }
    void TearDown() override { fs::remove_all(folder); }

    // The commands of the frame handed over last.
    std::vector<std::string> HandedOver()
    {
        std::vector<std::string> names;
        for (const RenderPoolCommand& command : pool->frameCommands[pool->renderSlot.load()])
            names.push_back(command.GetName());
        return names;
    }

    fs::path folder;
    // The passes' time steps are the test's: uneven, some longer than the
    // frame delay, the same whatever the machine's load.
    platform::ScopedManualClock clock;
    DXRenderEngine* engine = new DXRenderEngine();
    RenderPoolManager* pool = engine->SetRenderPool(new RenderPoolManager(false));
    Game game {"Quenholt", engine, nullptr, nullptr};
    GameLoopAccess access {game};
    MainLoop loop {access, *engine};
};

} // namespace

TEST_F(GameLevelRun, SixHundredPassesTickOnAccumulatedTimeAndDrawOnlyOnTicks)
{
    ASSERT_NE(game.GetCurrentLevel(), nullptr);
    int ticks = 0;
    int framesOnSkippedPasses = 0;
    int frames = 0;
    double total = 0.0;
    double longSteps = 0.0;
    for (int i = 0; i < 600; ++i) {
        clock.Advance(1.0 + (i * 13) % 50);
        const int32_t slot = pool->renderSlot.load();
        const MainLoop::Pass pass = loop.RunPass();
        const bool handedOver = pool->renderSlot.load() != slot;
        total += game.GetTimeStep();
        if (game.GetTimeStep() > game.frameDelay)
            longSteps += game.GetTimeStep();
        if (access.IsUpdateFrame())
            ++ticks;
        if (pass == MainLoop::Pass::Skipped && handedOver)
            ++framesOnSkippedPasses;
        frames += handedOver ? 1 : 0;
        // A level frame without a tick is never drawn (vertical sync on).
        EXPECT_EQ(handedOver, access.IsUpdateFrame()) << "pass " << i;
    }
    EXPECT_EQ(framesOnSkippedPasses, 0);
    EXPECT_EQ(frames, ticks);
    EXPECT_EQ(game.frameCounter, ticks);
    EXPECT_GT(longSteps, 0.0);
    EXPECT_GE(ticks, 1);
    // Every tick took one frame delay out of the time that passed; only a
    // step longer than the delay may drop time (one tick per pass at most).
    const double accounted = ticks * double(game.frameDelay) + game.framePacing.accumulator;
    EXPECT_LE(accounted, total + 0.01);
    EXPECT_GE(accounted, total - longSteps - 0.01);
}

TEST_F(GameLevelRun, AChangeToAMissingLevelKeepsTheLevelAndEndsTheLoadingScreen)
{
    Level* level = game.GetCurrentLevel();
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(level->GetName(), (folder / "small.lvl").string());
    ASSERT_TRUE(game.console.ExecuteCommand("changelevel missing.lvl"));

    // The change runs in the next update and leaves that pass undrawn.
    clock.Advance(Game::kFixedStepMs);
    game.Update();
    EXPECT_EQ(game.GetCurrentLevel(), level);
    EXPECT_TRUE(game.pendingLevelFile.empty());
    EXPECT_FALSE(game.IsMenuFlagSet());
    EXPECT_EQ(pool->loading.load(), 1);
    EXPECT_EQ(pool->loadingHold.load(), 1); // the loading screen is over

    // The next frame drawn hands the screen back to the game.
    game.frameDelay = 0;
    clock.Advance(Game::kFixedStepMs);
    ASSERT_EQ(loop.RunPass(), MainLoop::Pass::Recorded);
    const std::vector<std::string> names = HandedOver();
    EXPECT_NE(std::find(names.begin(), names.end(), "ResetLoadingState"), names.end());
}

TEST_F(GameLevelRun, ALevelThatFailsToReadKeepsTheLevelToo)
{
    Level* level = game.GetCurrentLevel();
    std::ofstream(folder / "broken.lvl", std::ios::binary) << "LevelV0\r\nnot a number\r\n";
    testing::internal::CaptureStderr();
    EXPECT_FALSE(game.ChangeLevel((folder / "broken.lvl").string()));
    const std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_NE(messages.find("broken.lvl:"), std::string::npos) << messages;
    EXPECT_EQ(game.GetCurrentLevel(), level);
    EXPECT_EQ(pool->loadingHold.load(), 1);

    // A good one replaces it, its name lowered.
    fs::copy_file(folder / "small.lvl", folder / "Other.LVL");
    EXPECT_TRUE(game.ChangeLevel((folder / "Other.LVL").string()));
    EXPECT_NE(game.GetCurrentLevel(), nullptr);
    EXPECT_EQ(game.GetCurrentLevel()->GetName(), ToLowerCase((folder / "Other.LVL").string()));
}

// A level named by data (a save, an exit) is a file of the level folder: a
// path, a drive form or ".." is refused; a name the user typed may be a
// path. A file that is no level is refused without a word of it quoted.
TEST_F(GameLevelRun, ALevelNamedByDataIsAFileOfTheLevelFolderAndANonLevelIsNotQuoted)
{
    using Source = Game::LevelNameSource;
    fs::create_directories(folder / "levels");
    fs::copy_file(folder / "small.lvl", folder / "levels" / "inside.lvl");
    game.mapPath = (folder / "levels").string();
    Level* level = game.GetCurrentLevel();
    testing::internal::CaptureStderr();
    for (const std::string& name : {std::string("../small.lvl"), (folder / "small.lvl").string(),
             std::string("..\\small.lvl"), std::string("C:inside.lvl"), std::string(".."), std::string("")}) {
        EXPECT_FALSE(game.ChangeLevel(name, Source::kData)) << name;
        EXPECT_EQ(game.GetCurrentLevel(), level) << name;
    }
    EXPECT_NE(testing::internal::GetCapturedStderr().find("the level name \"../small.lvl\" is refused"),
        std::string::npos);
    EXPECT_TRUE(game.ChangeLevel("inside.lvl", Source::kData));
    // A level opened by a path goes by the name the level folder knows it
    // by, which a save names and Continue reads back; one from elsewhere
    // keeps its path.
    EXPECT_TRUE(game.ChangeLevel((folder / "levels" / ".." / "levels" / "Inside.lvl").string()));
    EXPECT_EQ(game.GetCurrentLevel()->GetName(), "inside.lvl");
    EXPECT_TRUE(game.ChangeLevel((folder / "small.lvl").string()));
    EXPECT_EQ(game.GetCurrentLevel()->GetName(), ToLowerCase((folder / "small.lvl").string()));

    std::ofstream(folder / "private.txt", std::ios::binary) << "root:x:0:0:secret-word\r\nmore\r\n";
    testing::internal::CaptureStderr();
    EXPECT_FALSE(game.ChangeLevel((folder / "private.txt").string()));
    const std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_NE(messages.find("private.txt:1: expected \"LevelV0\", found a file that is not a level"),
        std::string::npos)
        << messages;
    EXPECT_EQ(messages.find("secret-word"), std::string::npos) << messages;
}
