#include "game/Game.h"
#include "scene/GraphicalObject.h"
#include "scene/Level.h"
#include "tests/game/FixedStepClock.h"
#include "tests/game/ScriptedInput.h"
#include "ui/OverlayObject.h"

#include <gtest/gtest.h>

namespace {

// A game after start-up: its two sliding screens exist, each with a rest
// position away from the origin to see it taken back.
class GameOverlayScreens : public testing::Test {
protected:
    void SetUp() override
    {
        game.Init(&game);
        ASSERT_NE(game.overlayObject, nullptr);
        ASSERT_NE(game.endingOverlay, nullptr);
        game.overlayObject->restPosition = Point<float>(0.0f, 448.0f);
        game.endingOverlay->restPosition = Point<float>(0.0f, -448.0f);
        game.frameDelay = 0;
    }

    // Expects the screen open (or closed) at rest with no slide, at that
    // speed.
    static void ExpectAtRest(const OverlayObject& overlay, bool open, float speed)
    {
        EXPECT_EQ(overlay.open, open);
        EXPECT_EQ(overlay.slide, 0.0f);
        EXPECT_EQ(overlay.slideSpeed, speed);
        EXPECT_EQ(overlay.position, overlay.restPosition);
    }

    FixedStepClock fixedStep;
    ScriptedInput* input = new ScriptedInput();
    Game game {"Quenholt", nullptr, input, nullptr};
};

// The map key opens the overlay screen and closing the menu closes it; the
// ending opens its own, which the level's release resets.
TEST_F(GameOverlayScreens, TheMapKeyAndTheEndingOpenTheirScreensAndClosingOrReleasingPutsThemAtRest)
{
    game.SetMenuFlag(false);
    input->next.Action10 = true; // Tab
    fixedStep.Pass(game);
    EXPECT_EQ(game.uiState, 4);
    EXPECT_TRUE(game.menuFlag);
    ExpectAtRest(*game.overlayObject, true, 10.0f);
    game.overlayObject->slide = 5.0f;
    game.overlayObject->position = Point<float>(0.0f, 200.0f);

    input->next.Action10 = false;
    fixedStep.Pass(game);
    input->next.Action10 = true; // Tab again
    fixedStep.Pass(game);
    EXPECT_FALSE(game.menuFlag);
    ExpectAtRest(*game.overlayObject, false, 10.0f);

    game.ShowEnding(2);
    EXPECT_EQ(game.endingMode, 2);
    EXPECT_EQ(game.endingCounter, 90);
    ExpectAtRest(*game.endingOverlay, true, 60.0f);
    EXPECT_TRUE(game.endingOverlay->secondFlag);

    game.endingOverlay->slide = 12.0f;
    ASSERT_TRUE(Game::ReleaseLevel(new Level("noName"), &game));
    ExpectAtRest(*game.endingOverlay, true, 35.0f);
    EXPECT_FALSE(game.endingOverlay->secondFlag);
    EXPECT_FALSE(game.overlayObject->open) << "the overlay screen is left alone";
}

TEST_F(GameOverlayScreens, ADeviceRestoredInPlayOpensThePauseMenuAtTheNextUpdate)
{
    Level level("noName");
    game.SetCurrentLevel(&level);
    // With the menu open (the display page), or during the ending, a restore
    // changes nothing.
    game.OnDeviceRestored();
    fixedStep.Pass(game);
    EXPECT_EQ(game.uiState, 0);
    game.SetMenuFlag(false);
    game.endingMode = 1;
    game.OnDeviceRestored();
    fixedStep.Pass(game);
    EXPECT_FALSE(game.menuFlag);
    // In play it pauses, on the game's own thread, once.
    game.endingMode = 0;
    game.OnDeviceRestored();
    EXPECT_FALSE(game.menuFlag) << "not before the update";
    fixedStep.Pass(game);
    EXPECT_TRUE(game.menuFlag);
    EXPECT_EQ(game.uiState, 0);
    EXPECT_FALSE(game.pauseAfterRestore);
    game.SetCurrentLevel(nullptr);
}

} // namespace
