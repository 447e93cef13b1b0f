#include "characters/Player.h"
#include "tools/run/RunLegs.h"

#include "tests/run/RunFixture.h"

#include <chrono>
#include <cstdio>
#include <string>

// The boat's leg flown by keys: from the Well Bottom, where the cave left
// the player, by the teleporter and the Lantern Ring to the Dock, through
// the boat's three fights and back to the Dock. Its ring, score,
// achievements and what its fights make heard are the whole run's to check.
namespace {

using RunLegBoat = RunFixture;

TEST_F(RunLegBoat, FromTheWellBottomThroughTheBoatsThreeFightsBackToTheDock)
{
    // What the cemetery and the cave left: three teleporters known (kept
    // with the save data, which a level change hands on), rank 2, the double
    // jump, the spider, the crossbow and climbing.
    game.AddTeleport("cimetery_tp_01.lvl", "cimetery_tp_01.lvl", Point<int>(12, 22));
    game.AddTeleport("cimetery_tp_02.lvl", "cimetery_tp_02.lvl", Point<int>(21, 22));
    game.AddTeleport("cave_tp.lvl", "cave_tp.lvl", Point<int>(21, 23));
    game.saveData.SetTeleports(game.teleports);
    Arrive("Cave_tp.lvl", "from_cave_03");
    Player& player = *game.GetPlayer();
    ASSERT_TRUE(game.console.ExecuteCommand("setplayerattackrank 2"));
    for (int ability : {Player::kDoubleJump, Player::kSpiderAbility, Player::kCrossbow, Player::kClimb})
        player.EnableModifier(ability);

    const auto started = std::chrono::steady_clock::now();
    Fly(RunBoat);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("the boat's leg: %d passes, %.1f s\n", pilot->Frame(), seconds);

    // Standing in the Dock, each teleporter found once.
    EXPECT_EQ(pilot->LevelName(), "boat_tp_1.lvl");
    ASSERT_NE(game.GetPlayer(), nullptr);
    EXPECT_EQ(game.GetPlayer()->GetMoveState(), Player::kIdle);
    EXPECT_EQ(game.teleports.size(), 4u) << "each teleporter found once";
    // The three fights won and their rewards taken: rank 3, the fire
    // armour (worn), the strafe.
    for (const char* done : {"done_b01", "done_b02", "done_b03"})
        EXPECT_EQ(pilot->SaveVar(done), "1") << done;
    EXPECT_EQ(game.GetPlayer()->GetAttackRank(), 3);
    EXPECT_TRUE(game.GetPlayer()->IsModifierEnabled(Player::kFireArmor));
    EXPECT_EQ(game.GetPlayer()->GetArmorState().currentArmor, Player::kFireArmor);
    EXPECT_TRUE(game.GetPlayer()->IsModifierEnabled(Player::kStraff));
    EXPECT_LT(pilot->Frame(), 20000) << "the leg keeps its passes low";
    EXPECT_EQ(debug.Text().find("Script Error"), std::string::npos);
}

} // namespace
