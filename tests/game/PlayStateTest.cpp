#include "game/PlayState.h"

#include "game/Game.h"
#include "scene/Level.h"
#include "scene/SpacialInstance.h"
#include "tests/game/FixedStepClock.h"

#include <gtest/gtest.h>

// The last line of a log that names a state wholly is the state; a log
// without one has none (a game that never said it fails the check).
TEST(PlayState, TheLastLineThatNamesAStateWhollyIsTheState)
{
    const std::pair<const char*, std::optional<PlayState>> rows[] = {
        {"", std::nullopt},
        {"ChangeLevel: entered \"cemetery_01.lvl\"\n", std::nullopt},
        {"Play state: running\n", PlayState::Running},
        {"Play state: running\r\nD3D_OK\n", PlayState::Running},
        {"Play state: running\nPlay state: menu open\n", PlayState::MenuOpen},
        {"Play state: dialogue\nPlay state: runningly\n", PlayState::Dialogue},
        {"Play state: paused", PlayState::Paused},
        {"x Play state: running\nPlay state: no level\n", PlayState::NoLevel},
    };
    for (const auto& [log, state] : rows)
        EXPECT_EQ(LastPlayState(log), state) << log;
    for (const PlayState state :
        {PlayState::NoLevel, PlayState::MenuOpen, PlayState::Paused, PlayState::Dialogue, PlayState::Running})
        EXPECT_EQ(LastPlayState("Start-up\n" + PlayStateLine(state)), state);
}

// The menu first, then the pause of play, then a dialogue box on screen: a
// device restored in play opens the pause menu, which is not play.
TEST(PlayState, TheGameNamesTheMenuThePauseAndTheDialogueBeforePlay)
{
    FixedStepClock fixedStep;
    Game game;
    game.Init(&game);
    game.frameDelay = 0;
    EXPECT_EQ(game.GetPlayState(), PlayState::NoLevel);
    Level level("noName");
    game.SetCurrentLevel(&level);
    EXPECT_EQ(game.GetPlayState(), PlayState::MenuOpen);
    game.SetMenuFlag(false);
    EXPECT_EQ(game.GetPlayState(), PlayState::Running);
    game.OnDeviceRestored();
    fixedStep.Pass(game);
    EXPECT_EQ(game.GetPlayState(), PlayState::MenuOpen);
    game.SetMenuFlag(false);
    ASSERT_FALSE(game.uiFrames.empty());
    game.uiFrames[0]->SetVisible(true);
    EXPECT_EQ(game.GetPlayState(), PlayState::Dialogue);
    game.gameplayPaused = true;
    EXPECT_EQ(game.GetPlayState(), PlayState::Paused);
    game.gameplayPaused = false;
    game.uiFrames[0]->SetVisible(false);
    EXPECT_EQ(game.GetPlayState(), PlayState::Running);
    game.SetCurrentLevel(nullptr);
}
