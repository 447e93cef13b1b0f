#include "engine/render/RenderPoolManager.h"
#include "game/Game.h"
#include "game/GameLoopAccess.h"
#include "scene/Level.h"
#include "script/BGEvent_PickupCinematic.h"
#include "tests/engine/render/RenderTestSupport.h"
#include "tests/engine/render/RenderThreadFixture.h"
#include "tests/game/RectLog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

// A level whose queue holds a pickup cut-scene of the burst kind (no player
// needed), run by the game's event pass.
class OverlayCommands : public testing::Test {
protected:
    void SetUp() override
    {
        game.pickupCinematicKind = kPickupBurst;
        level->AddBackgroundEvent(cutScene);
        game.SetCurrentLevel(level);
    }
    void TearDown() override
    {
        Game::ReleaseLevel(level, &game);
        EXPECT_TRUE(g_DeferredCommands.empty()) << "the level's release empties the overlay commands";
    }

    std::vector<RectDraw> draws;
    Game game {"Quenholt", new RectLog(draws), nullptr, nullptr};
    Level* level = new Level("noName");
    BGEvent_PickupCinematic* cutScene
        = new BGEvent_PickupCinematic("ScriptEvent_BGEvent_PickupCinematic", nullptr, nullptr, nullptr, 0, 0);
};

TEST_F(OverlayCommands, TheCutSceneDarkensEveryFrameDrawnUntilItsNextUpdateFrame)
{
    GameLoopAccess loop(game);
    for (int i = 0; i < 30; ++i)
        game.RunBackgroundEvents();
    ASSERT_EQ(cutScene->GetOverlayAlpha(), 63); // 30 of 60 frames dark: 30 / 60 x 127.5
    const RectDraw dark {0, 0, 512, 448, 63u << 24, true};

    loop.RenderLevel();
    EXPECT_EQ(draws, (std::vector<RectDraw> {dark}));
    // A second frame before the next update frame is as dark.
    loop.RenderLevel();
    EXPECT_EQ(draws, (std::vector<RectDraw> {dark, dark}));
    // The next update frame's pass replaces the command: one, a step darker.
    game.RunBackgroundEvents();
    draws.clear();
    loop.RenderLevel();
    EXPECT_EQ(draws, (std::vector<RectDraw> {{0, 0, 512, 448, 65u << 24, true}}));
}

// The cut-scene's darkening as the window shows it: a white screen under the
// overlay commands of a frame recorded for the render thread.
class GLOverlayCommands : public rendertest::RenderThreadFixture {
protected:
    void SetUp() override
    {
        MakeDataFolder("overlay");
        StartRenderThread();
    }
    void TearDown() override
    {
        g_DeferredCommands.clear();
        RenderThreadFixture::TearDown();
    }
};

TEST_F(GLOverlayCommands, ThePickupCutSceneDarkensTheScreenByItsAlpha)
{
    Game game; // holds the pickup kind the cut-scene plays
    game.pickupCinematicKind = kPickupBurst;
    BGEvent_PickupCinematic cutScene("p", nullptr, nullptr, nullptr, 0, 0);
    for (int i = 0; i < 30; ++i) {
        g_DeferredCommands.clear(); // as each update frame's event pass does
        cutScene.Run();
    }
    ASSERT_EQ(cutScene.GetOverlayAlpha(), 63);
    RenderFrame([&] {
        pool->AddCommand(RenderPoolCommand::RectDraw(
            Point<int>(512, 448), Point<int>(0, 0), Point<int>(0, 0), 0.0f, 0xFFFFFFFFu, true));
        pool->AddCommands();
    });
    // White under black at 63 / 255: 255 x 192 / 255 on each channel.
    const uint32_t pixel = Picture(256, 224);
    for (uint8_t channel : {rendertest::Red(pixel), rendertest::Green(pixel), rendertest::Blue(pixel)})
        EXPECT_LE(std::abs(int(channel) - 192), 2) << std::hex << pixel;
}

} // namespace
