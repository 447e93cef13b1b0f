#include "characters/Player.h"
#include "characters/PlayerModifier.h"
#include "script/ScriptVar.h"
#include "tools/run/RunLegs.h"

#include "tests/run/RunFixture.h"

#include <chrono>
#include <cstdio>
#include <string>

// The underwater leg flown by keys from the Dock, as the legs before it leave
// the player: the cemetery, the cave and the boat done (attack rank 3, double
// jump, spider form, crossbow, climbing, the fire armor worn, strafe). Its
// pickups, ring, score, achievements and what it makes heard are the whole
// run's to check.
namespace {

using RunLegUnderwater = RunFixture;

TEST_F(RunLegUnderwater, FromTheDockThroughTheNavesThreeFightsBackToTheSunkenDock)
{
    // The hubs found so far, kept in the save across level changes.
    const struct {
        const char* level;
        Point<int> cell;
    } hubs[] = {{"cimetery_tp_01.lvl", {12, 22}}, {"boat_tp_1.lvl", {10, 22}},
        {"cimetery_tp_02.lvl", {21, 22}}, {"cave_tp.lvl", {21, 23}}};
    for (const auto& hub : hubs)
        game.AddTeleport(hub.level, hub.level, hub.cell);
    game.saveData.SetTeleports(game.teleports);
    for (const char* done :
        {"done_cm", "done_b01", "done_b02", "done_b03", "done_v01", "done_v02", "done_v03"})
        game.CreateSaveVar(done)->SetValue("1");
    Arrive("Boat_TP_1.lvl", "from_stern");
    Player* player = game.GetPlayer();
    ASSERT_NE(player, nullptr);
    for (int kind : {Player::kDoubleJump, Player::kSpiderAbility, Player::kCrossbow, Player::kClimb,
             Player::kFireArmor, Player::kStraff})
        player->EnableModifier(kind);
    PlayerArmorCrossbow* crossbow = GetPlayerArmorCrossbow(player);
    ASSERT_NE(crossbow, nullptr);
    crossbow->boltCapacity = 3;
    crossbow->boltsLeft = 3;
    // The boat's fire armor is worn from the moment it is taken.
    const int worn = player->GetCurrentArmor();
    player->SetCurrentArmor(Player::kFireArmor);
    player->SwitchArmor(worn, true);
    player->SetAttackRank(3);
    ASSERT_EQ(player->GetCurrentArmor(), Player::kFireArmor);
    const int crossbowLevel = player->crossbowLevel;
    const int slots = player->GetArmorState().armorChargesMax;

    const auto start = std::chrono::steady_clock::now();
    Fly(RunUnderwater);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("[ RunLegUnderwater ] %d passes in %.1f s\n", pilot->Frame(), seconds);

    for (const char* done : {"done_u01", "done_u02", "done_u03"})
        EXPECT_EQ(pilot->SaveVar(done), "1") << done;
    player = game.GetPlayer();
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->crossbowLevel, crossbowLevel + 1) << "the crossbow power";
    EXPECT_EQ(player->GetArmorState().armorChargesMax, slots + 1) << "the power slot";
    EXPECT_EQ(game.teleports.size(), 5u) << "each teleporter found once";
    EXPECT_EQ(pilot->LevelName(), "underwater_tp.lvl");
    EXPECT_NEAR(pilot->X(), 18 * 32.0f, 16.0f) << "at the Sunken Dock's teleporter";
}

} // namespace
