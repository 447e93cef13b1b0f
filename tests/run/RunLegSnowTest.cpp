#include "characters/Player.h"
#include "characters/PlayerArmor.h"
#include "characters/PlayerArmorIce.h"
#include "characters/PlayerModifier.h"
#include "script/ScriptVar.h"
#include "tools/run/RunLegs.h"

#include "tests/run/RunFixture.h"

// The snow's leg flown by keys: from the Reading Tower to the Chapel by
// teleporter, east to the Frost Gate, the Frozen Mere and its mini-boss, the
// Yard's giant, the Glacier Throat's sentinel, and back to the Frost Gate.
// Its pickups, ring, score and achievements are the whole run's to check.
namespace {

using RunLegSnow = RunFixture;

TEST_F(RunLegSnow, FromTheChapelThroughTheThreeSnowFightsBackToTheFrostGate)
{
    // What the cemetery, cave, boat, underwater and library legs left: the
    // hubs found and the save variables are kept with the level left, and
    // taken back on arriving again.
    Arrive("bibli_TP.lvl", "from_vault");
    for (const auto& [hub, cell] :
        std::vector<std::pair<std::string, Point<int>>> {{"cimetery_tp_01.lvl", {12, 22}},
            {"boat_tp_1.lvl", {10, 22}}, {"cimetery_tp_02.lvl", {21, 22}}, {"cave_tp.lvl", {21, 23}},
            {"cimetery_tp_03.lvl", {23, 21}}, {"underwater_tp.lvl", {10, 24}}, {"bibli_tp.lvl", {24, 20}}})
        game.AddTeleport(hub, hub, cell);
    for (const char* var :
        {"intro_done", "done_cm", "done_b01", "done_b02", "done_b03", "done_v01", "done_v02", "done_v03",
            "done_u01", "done_u02", "done_u03", "done_l01", "done_l02", "done_l03", "got_7"})
        game.CreateSaveVar(var)->SetValue("1");
    Arrive("bibli_TP.lvl", "from_vault");
    Player& player = *game.GetPlayer();
    for (int ability : {Player::kFireArmor, Player::kDoubleJump, Player::kClimb, Player::kSpiderAbility,
             Player::kCrossbow, Player::kStraff})
        player.EnableModifier(ability);
    player.SetAttackRank(4);
    player.GetArmorState().armorChargesMax = 1; // the power slot
    player.itemAttraction = true;               // absorb souls
    player.secretFinder = true;                 // the fireflies
    const int reloadPeriod = player.GetArmorState().armorRechargePeriod;

    Fly(RunSnow);

    for (const char* var : {"done_s01", "done_s02", "done_s03"})
        EXPECT_EQ(pilot->SaveVar(var), "1") << var;
    EXPECT_TRUE(player.IsModifierEnabled(Player::kIceArmor));
    ASSERT_NE(player.GetModifier(Player::kIceArmor), nullptr);
    EXPECT_EQ(dynamic_cast<PlayerArmor*>(player.GetModifier(Player::kIceArmor))->GetLevel(), 2);
    EXPECT_TRUE(player.spiderDoubleJump);
    EXPECT_LT(player.GetArmorState().armorRechargePeriod, reloadPeriod) << "the power reload";
    EXPECT_EQ(pilot->LevelName(), "snow_tp.lvl");
    EXPECT_TRUE(pilot->ThePlayer() != nullptr && pilot->ThePlayer()->GetMoveState() == Player::kIdle);
    std::printf("the snow leg: %d passes\n", pilot->Frame());
}

} // namespace
