#include "game/Game.h"

#include "tests/run/RunFixture.h"

// The pilot walking through a hub's teleporter: its help shows while the
// player stands in the ring, and the use key that would read it on opens
// the teleport menu; the pilot walks on instead.
namespace {

constexpr float kTile = 32.0f;

using RunPilotHint = RunFixture;

TEST_F(RunPilotHint, WalkingThroughATeleporterLeavesItsMenuShut)
{
    Arrive("Cave_tp.lvl");
    game.AddTeleport("cimetery_tp_01.lvl", "cimetery_tp_01.lvl", Point<int>(19, 22));
    // Into the ring: the help is shown, the menu stays shut.
    ASSERT_TRUE(pilot->WalkTo(22 * kTile + 16.0f));
    pilot->Hold({}, 4);
    EXPECT_TRUE(pilot->HintShown());
    EXPECT_TRUE(pilot->DialogueShown());
    EXPECT_FALSE(pilot->WaitUntil([] { return false; }, 10));
    EXPECT_NE(game.uiState, 4) << "a wait in the ring opened the teleport menu";
    // On through it and out the other side.
    ASSERT_TRUE(pilot->WalkTo(28 * kTile)) << pilot->Failure();
    EXPECT_NE(game.uiState, 4);
    EXPECT_FALSE(pilot->HintShown());
    EXPECT_NE(game.FindTeleportByLevel("cave_tp.lvl"), nullptr);
}

} // namespace
