#include "characters/Player.h"
#include "tools/run/RunLegs.h"

#include "tests/run/RunFixture.h"

// The cave flown by keys from the Well Head, as the cemetery leaves it (the
// scythe at rank 2, the double jump, the two cemetery hubs known), back to
// the Well Bottom. Its lever, rewards, ring, achievements and sounds are the
// whole run's to check (the final score, the achievements, the coverage).
namespace {

using RunLegCave = RunFixture;

TEST_F(RunLegCave, DownTheWellThroughTheThreeFightsAndBackToTheWellBottom)
{
    // The teleporters live in the save data across a level change.
    game.AddTeleport("cimetery_tp_01.lvl", "cimetery_tp_01.lvl", Point<int>(19, 22));
    game.AddTeleport("cimetery_tp_02.lvl", "cimetery_tp_02.lvl", Point<int>(21, 22));
    game.saveData.SetTeleports(game.teleports);
    Arrive("Cimetery_TP_02.lvl", "from_cemetery_02");
    ASSERT_TRUE(game.console.ExecuteCommand("setplayerattackrank 2"));
    game.GetPlayer()->EnableModifier(Player::kDoubleJump);

    Fly(RunCave);
    std::printf("the cave leg: %d passes\n", pilot->Frame());

    // Its three fights won, and what their rewards gave.
    for (const char* won : {"done_v01", "done_v02", "done_v03"})
        EXPECT_EQ(pilot->SaveVar(won), "1") << won;
    Player& player = *game.GetPlayer();
    EXPECT_TRUE(player.IsModifierEnabled(Player::kSpiderAbility));
    EXPECT_TRUE(player.IsModifierEnabled(Player::kCrossbow));
    EXPECT_TRUE(player.IsModifierEnabled(Player::kClimb));
    EXPECT_FALSE(player.IsSpiderForm());
    // Standing in the Well Bottom, by the way in from the Eye of the Deep.
    EXPECT_EQ(pilot->LevelName(), "cave_tp.lvl");
    EXPECT_NEAR(pilot->Y(), 2 * 32.0f, 2.0f);
    EXPECT_LT(pilot->Frame(), 20000);
}

} // namespace
