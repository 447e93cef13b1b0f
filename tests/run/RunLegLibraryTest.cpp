#include "characters/Player.h"
#include "characters/PlayerArmor.h"
#include "characters/PlayerArmorFire.h"
#include "characters/PlayerModifier.h"
#include "script/ScriptVar.h"
#include "tools/run/RunCoverage.h"
#include "tools/run/RunLegs.h"
#include "zones/Zone_PickupObject.h"

#include "tests/run/RunFixture.h"

#include <chrono>
#include <cstdio>

// The library leg flown by keys: from the Sunken Dock by teleport to the Well
// Head, up to the Chapel (its bell rung), through its north door to the
// Reading Tower, the Endless Stacks, the Hall of Whispers and the Sealed
// Vault, and back to the tower. Its pickups, lever, rings, score and
// achievements are the whole run's to check.
namespace {

class RunLegLibrary : public RunFixture {
protected:
    RunLegLibrary()
        : RunFixture("quenholt-run-library")
    {
    }

    // The five teleporters the cemetery, cave, boat and underwater legs found.
    void GiveEarlierTeleporters()
    {
        const struct {
            const char* level;
            Point<int> cell;
        } hubs[] = {{"cimetery_tp_01.lvl", {12, 22}}, {"cimetery_tp_02.lvl", {21, 22}},
            {"cave_tp.lvl", {21, 23}}, {"boat_tp_1.lvl", {10, 22}}, {"underwater_tp.lvl", {10, 24}}};
        for (const auto& hub : hubs)
            game.AddTeleport(hub.level, hub.level, hub.cell);
        // Kept with the save: a level change copies them back from there.
        game.saveData.SetTeleports(game.teleports);
    }

    // What the cemetery, cave, boat and underwater legs leave: their
    // abilities, rank 3, crossbow level 2, one power slot, the fire armor
    // worn, their fights done.
    void GiveEarlierLegs()
    {
        Player& player = *game.GetPlayer();
        for (int kind : {Player::kDoubleJump, Player::kSpiderAbility, Player::kCrossbow, Player::kClimb,
                 Player::kFireArmor, Player::kStraff})
            player.EnableModifier(kind);
        player.SetCurrentArmor(Player::kFireArmor);
        player.SwitchArmor(-1, true);
        // Crossbow level 2 (the nave's mini-boss), three bolts of which the
        // Dock's hatch took one, one power slot (the Coral Throne).
        player.crossbowLevel = 2;
        auto* crossbow = GetPlayerArmorCrossbow(&player);
        ASSERT_NE(crossbow, nullptr);
        crossbow->boltCapacity = 3;
        crossbow->boltsLeft = 2;
        ++player.GetArmorState().armorChargesMax;
        ASSERT_TRUE(game.console.ExecuteCommand("setplayerattackrank 3"));
        for (const char* area : {"c", "b", "v", "u"})
            for (const char* fight : {"01", "02", "03"}) {
                const std::string name = std::string("done_") + area + fight;
                if (name == "done_c02" || name == "done_c03")
                    continue;
                ScriptVar* var = Game::FindSaveVar(name);
                if (var == nullptr)
                    var = game.CreateSaveVar(name);
                ASSERT_NE(var, nullptr);
                var->SetValue("1");
            }
    }
};

TEST_F(RunLegLibrary, FromTheSunkenDockUpToTheChapelThroughTheLibrarysThreeFightsBackToTheTower)
{
    GiveEarlierTeleporters();
    Arrive("underwater_TP.lvl", "from_cradle");
    GiveEarlierLegs();
    Player& player = *game.GetPlayer();
    const auto started = std::chrono::steady_clock::now();
    const RunCoverage heard;

    Fly(RunLibrary);

    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("[ library leg ] %d passes in %.1f s\n", pilot->Frame(), seconds);
    for (const char* done : {"done_l01", "done_l02", "done_l03"})
        EXPECT_EQ(pilot->SaveVar(done), "1") << done;
    EXPECT_EQ(player.GetAttackRank(), 4);
    EXPECT_TRUE(player.itemAttraction) << "absorb souls";
    EXPECT_TRUE(player.secretFinder) << "fireflies";
    auto* crossbow = GetPlayerArmorCrossbow(&player);
    ASSERT_NE(crossbow, nullptr);
    EXPECT_EQ(crossbow->boltCapacity, 4) << "max bolts";
    ASSERT_NE(GetPlayerArmorFire(&player), nullptr);
    EXPECT_EQ(GetPlayerArmorFire(&player)->GetLevel(), 2);
    EXPECT_EQ(pilot->SaveVar("page_b01"), "1");
    EXPECT_EQ(pilot->LevelName(), "bibli_tp.lvl");
    // The souls taken with their crack of lightning, the Chapel's bell rung,
    // the fire armor's area attack used there.
    for (const char* event : {"Player_TransformLigthning", "Script_User_08", "Player_UseAOE_Fire"})
        EXPECT_EQ(heard.Count("sound event", event), 1) << event;
    EXPECT_EQ(game.minimapModel->GetCell(37, 21), 2) << "the atlas shows the snow's far end";
}

} // namespace
