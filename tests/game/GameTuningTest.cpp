#include "characters/Player.h"
#include "game/Game.h"

#include <gtest/gtest.h>

// What a game's console sets is that game's: while it exists the player and
// the camera read it, and when it ends the defaults are in force again, for
// the next game and for objects made without one.
TEST(GameTuningTest, ValuesSetInAGameEndWithIt)
{
    const PlayerTuning defaults;
    {
        Game game;
        game.console.ExecuteCommand("setplayerspeed walk 31");
        game.console.ExecuteCommand("setcameraspeed 6");
        game.console.ExecuteCommand("setplayerstraff delay 3");
        EXPECT_EQ(Player("Player").walkSpeed, 31.0f);
        EXPECT_EQ(PlayerTuning::Current().straffDelay, 3);
        game.GetCamera().Reset();
        EXPECT_EQ(game.GetCamera().GetSpeed(), 6.0f);
        {
            Game next;
            EXPECT_EQ(Player("Player").walkSpeed, defaults.walkSpeed);
            EXPECT_EQ(next.GetCamera().GetSpeed(), CameraTuning {}.travelSpeed);
        }
    }
    EXPECT_EQ(Player("Player").walkSpeed, defaults.walkSpeed);
    EXPECT_EQ(PlayerTuning::Current().straffDelay, defaults.straffDelay);
    EXPECT_EQ(Camera().GetSpeed(), CameraTuning {}.travelSpeed);
}
