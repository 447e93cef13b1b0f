#include "characters/Player.h"
#include "tools/run/RunCoverage.h"
#include "tools/run/RunLegs.h"

#include "tests/run/RunFixture.h"

#include <chrono>
#include <cstdio>
#include <string>

// The boat's leg flown by keys: from the Well Bottom, where the cave left
// the player, by the teleporter and the Lantern Ring to the Dock, through
// the boat's three fights and back to the Dock.
namespace {

class RunLegBoat : public RunFixture {
protected:
    RunCoverage coverage; // installed before the game starts (SetUp)
};

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
    const int score = game.saveData.GetScore();
    auto achieved = [&](const char* name) { return game.GetAchievements().FindByName(name)->GetCurrent(); };
    const int souls = achieved("Master of souls");
    const int going = achieved("Keep Going");

    const auto started = std::chrono::steady_clock::now();
    Fly(RunBoat);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("the boat's leg: %d passes, %.1f s\n", pilot->Frame(), seconds);

    // Standing in the Dock, its teleporter known ("Portal").
    EXPECT_EQ(pilot->LevelName(), "boat_tp_1.lvl");
    ASSERT_NE(game.GetPlayer(), nullptr);
    EXPECT_EQ(game.GetPlayer()->GetMoveState(), Player::kIdle);
    EXPECT_NE(game.FindTeleportByLevel("boat_tp_1.lvl"), nullptr);
    EXPECT_EQ(game.teleports.size(), 4u) << "each teleporter found once";
    EXPECT_EQ(achieved("Portal"), 1);
    // The three fights won and their rewards taken: rank 3, the fire
    // armour (worn), the strafe; the mini-boss and the second boss counted.
    for (const char* done : {"done_b01", "done_b02", "done_b03"})
        EXPECT_EQ(pilot->SaveVar(done), "1") << done;
    EXPECT_EQ(game.GetPlayer()->GetAttackRank(), 3);
    EXPECT_TRUE(game.GetPlayer()->IsModifierEnabled(Player::kFireArmor));
    EXPECT_EQ(game.GetPlayer()->GetArmorState().currentArmor, Player::kFireArmor);
    EXPECT_TRUE(game.GetPlayer()->IsModifierEnabled(Player::kStraff));
    EXPECT_EQ(achieved("Master of souls"), souls + 1);
    // The Bow's beast went through its whole fight before its last blows:
    // the ground slammed, fire spat, the player gripped and slammed down.
    for (const char* sound :
        {"NPC_Boss_Boat_HitGround", "NPC_Boss_Boat_LaunchFire", "NPC_Boss_Boat_HitPlayerGround"})
        EXPECT_GT(coverage.Count("sound event", sound), 0) << sound;
    EXPECT_EQ(achieved("Keep Going"), going + 1);
    // The area's score: the Dock's teleporter and the three rewards.
    EXPECT_EQ(game.saveData.GetScore(), score + 4);
    EXPECT_LT(pilot->Frame(), 20000) << "the leg keeps its passes low";
    EXPECT_EQ(output.find("Script Error"), std::string::npos);
}

} // namespace
