#include "characters/Player.h"
#include "game/AchievementManager.h"
#include "tools/run/RunCoverage.h"
#include "tools/run/RunLegs.h"

#include "tests/run/RunFixture.h"

// The cave flown by keys from the Well Head, as the cemetery leaves it (the
// scythe at rank 2, the double jump, the two cemetery hubs known), back to
// the Well Bottom.
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
    const int32_t score = game.saveData.GetScore();
    AchievementManager& achievements = game.GetAchievements();
    const int32_t levers = achievements.FindByName("All the levers")->GetCurrent();
    const int32_t miniBosses = achievements.FindByName("Master of souls")->GetCurrent();
    const int32_t secondBosses = achievements.FindByName("Keep Going")->GetCurrent();

    RunCoverage coverage;
    Fly(RunCave);
    std::printf("the cave leg: %d passes\n", pilot->Frame());

    // Its lever, its three fights and their rewards.
    EXPECT_EQ(pilot->SaveVar("lever_c01"), "1");
    for (const char* won : {"done_v01", "done_v02", "done_v03"})
        EXPECT_EQ(pilot->SaveVar(won), "1") << won;
    for (const char* got : {"got_4", "got_5", "got_3"})
        EXPECT_EQ(pilot->SaveVar(got), "1") << got;
    Player& player = *game.GetPlayer();
    EXPECT_TRUE(player.IsModifierEnabled(Player::kSpiderAbility));
    EXPECT_TRUE(player.IsModifierEnabled(Player::kCrossbow));
    EXPECT_TRUE(player.IsModifierEnabled(Player::kClimb));
    EXPECT_FALSE(player.IsSpiderForm());
    EXPECT_EQ(achievements.FindByName("All the levers")->GetCurrent(), levers + 1);
    EXPECT_EQ(achievements.FindByName("Master of souls")->GetCurrent(), miniBosses + 1);
    EXPECT_EQ(achievements.FindByName("Keep Going")->GetCurrent(), secondBosses + 1);
    // The fights heard through every phase the leg lets them reach.
    for (const char* sound : {"NPC_Miniboss_Cave_Attack", "NPC_Boss_Cave_Insects", "NPC_Boss_Cave_KillInsect",
             "NPC_Boss_Cave_Plant_Die", "NPC_Boss_Cave2_EyeMoveFirst", "NPC_Boss_Cave2_NewEye",
             "NPC_Boss_Cave2_ProjSmall", "NPC_Boss_Cave2_PlantApear", "NPC_Boss_Cave2_EyeMove",
             "NPC_Boss_Cave2_ProjBig"})
        EXPECT_GT(coverage.Count("sound event", sound), 0) << sound;
    // The Well Bottom's teleporter known; the score grows by it and the
    // three rewards.
    EXPECT_NE(game.FindTeleportByLevel("cave_tp.lvl"), nullptr);
    EXPECT_EQ(game.saveData.GetScore(), score + 4) << "the Well Bottom's ring and three rewards";
    // Standing in the Well Bottom, by the way in from the Eye of the Deep.
    EXPECT_EQ(pilot->LevelName(), "cave_tp.lvl");
    EXPECT_NEAR(pilot->Y(), 2 * 32.0f, 2.0f);
    EXPECT_LT(pilot->Frame(), 20000);
}

} // namespace
