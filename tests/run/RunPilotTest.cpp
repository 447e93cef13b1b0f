#include "characters/Player.h"
#include "tools/run/RunLegs.h"

#include "tests/run/RunFixture.h"

// The pilot in the assembled world: its passes are update frames on its own
// clock, its keys reach the player through the bindings, and it keeps them.
namespace {

constexpr float kTile = 32.0f;

using RunPilotWorld = RunFixture;

TEST_F(RunPilotWorld, EachPassIsOneUpdateFrameAndTheHeldKeysMoveThePlayer)
{
    Arrive("cemetery_01.lvl");
    // The intro holds the keys until it has played.
    ASSERT_TRUE(
        pilot->WaitUntil([&] { return pilot->SaveVar("intro_done") == "1" && !game.gameplayPaused; }));
    const int frames = pilot->Frame();
    const int64_t updates = game.frameCounter;
    const float x = pilot->X();
    pilot->Hold({RunPilot::Right}, 10);
    EXPECT_EQ(game.frameCounter - updates, 10) << "one update frame per pass";
    EXPECT_GT(pilot->X(), x + kTile) << "the D key walks right";
    ASSERT_EQ(pilot->Frame(), frames + 10);
    EXPECT_EQ(pilot->Recording().back(), RunPilot::Keys {RunPilot::Right});

    EXPECT_TRUE(pilot->WalkTo(x));
    EXPECT_NEAR(pilot->X(), x, kTile / 2);
}

TEST_F(RunPilotWorld, ALegThatCannotGoOnSaysWhereItStopped)
{
    Arrive("cemetery_01.lvl");
    EXPECT_FALSE(pilot->TeleportTo("Boat_TP_1.lvl"));
    EXPECT_NE(pilot->Failure().find("no teleporter in cemetery_01.lvl"), std::string::npos)
        << pilot->Failure();
}

} // namespace
