#include "characters/Player.h"
#include "characters/PlayerArmorFire.h"
#include "characters/PlayerArmorIce.h"
#include "characters/PlayerModifier.h"
#include "game/GameStartup.h"
#include "scene/Level.h"
#include "script/ScriptVar.h"
#include "tools/run/RunLegs.h"

#include "tests/run/RunFixture.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

// The garden leg: from the Frost Gate, with all but the garden and the crypt
// done, across the Chapel's lava to the Greenhouse Gate, the garden's three
// fights by keys, and back to its teleporter. Its lever, ring, score,
// achievements and what it makes heard are the whole run's to check.
namespace {

class RunLegGarden : public RunFixture {
protected:
    // The teleport menu lists the hubs the program names at its start.
    void SetUp() override
    {
        hubFiles = TeleportLevelFiles;
        TeleportLevelFiles = {"Cimetery_TP_01.lvl", "Boat_TP_1.lvl", "Cimetery_TP_02.lvl", "Cave_tp.lvl",
            "Cimetery_TP_03.lvl", "snow_tp.lvl", "bibli_TP.lvl", "underwater_TP.lvl", "Garden_tp.lvl"};
        RunFixture::SetUp();
    }
    void TearDown() override
    {
        RunFixture::TearDown();
        TeleportLevelFiles = hubFiles;
    }

    void SetSaveVar(const std::string& name, const std::string& value)
    {
        ScriptVar* var = Game::FindSaveVar(name);
        if (var == nullptr)
            var = game.CreateSaveVar(name);
        ASSERT_NE(var, nullptr);
        var->SetValue(value);
    }

    // Every hub's teleporter but the garden's, found.
    void KnowTheHubs()
    {
        const struct {
            const char* level;
            Point<int> cell;
        } hubs[] = {{"cimetery_tp_01.lvl", {12, 22}}, {"boat_tp_1.lvl", {10, 22}},
            {"cimetery_tp_02.lvl", {21, 22}}, {"cave_tp.lvl", {21, 23}}, {"cimetery_tp_03.lvl", {23, 21}},
            {"snow_tp.lvl", {26, 21}}, {"bibli_tp.lvl", {24, 20}}, {"underwater_tp.lvl", {10, 24}}};
        game.teleports.clear();
        for (const auto& hub : hubs)
            game.AddTeleport(hub.level, hub.level, hub.cell);
    }

    // What the legs before leave: every ability but what the garden gives,
    // both armors at level 2 with two charges (the ice one worn, as the
    // Glacier Throat's reward leaves it), rank 4, crossbow power 2 and four
    // bolts, every hub's teleporter but the garden's, the altar's pickup taken.
    void PrepareTheLegsBefore()
    {
        Arrive("Cimetery_TP_03.lvl");
        // Known before the level spawns its teleporters, which then count
        // as found.
        KnowTheHubs();
        Player& player = *game.GetPlayer();
        for (int kind : {Player::kFireArmor, Player::kIceArmor, Player::kDoubleJump, Player::kClimb,
                 Player::kSpiderAbility, Player::kCrossbow, Player::kStraff})
            player.EnableModifier(kind);
        player.SetAttackRank(4);
        player.crossbowLevel = 2;
        player.spiderDoubleJump = true;
        player.secretFinder = true;
        PlayerArmorState& armor = player.GetArmorState();
        armor.armorChargesMax = 2;
        armor.armorCharges = 2;
        armor.armorRechargePeriod -= 30;
        if (PlayerArmorCrossbow* crossbow = GetPlayerArmorCrossbow(&player)) {
            crossbow->boltCapacity = 4;
            crossbow->boltsLeft = 4;
        }
        WearIceWithBothArmorsAtLevel2(player);
        if (HasFatalFailure())
            return;
        GetPlayerArmorIce(&player)->ApplyAnimationSet();
        for (const char* done : {"done_cm", "done_b01", "done_b02", "done_b03", "done_v01", "done_v02",
                 "done_v03", "done_s01", "done_s02", "done_s03", "done_l01", "done_l02", "done_l03",
                 "done_u01", "done_u02", "done_u03", "got_7"})
            SetSaveVar(done, "1");
        // The altar's pickup, taken on the way to the library.
        Level* chapel = game.GetCurrentLevel();
        ASSERT_NE(chapel, nullptr);
        player.SetPosition(Point<float>(11.0f * 32.0f, 3.0f * 32.0f));
        pilot->Hold({}, 5);
        game.saveData.CaptureLevelState(*chapel);
        Arrive("snow_tp.lvl", "from_glacier");
        ASSERT_EQ(game.teleports.size(), 8u);
        game.saveData.SetScore(0);
    }

    float CentreOfPlayer()
    {
        return game.GetPlayer()->GetPosition().x + game.GetPlayer()->GetSize().x / 2.0f;
    }

    std::vector<std::string> hubFiles;
};

TEST_F(RunLegGarden, FromTheFrostGateThroughTheGardensThreeFightsBackToItsTeleporter)
{
    PrepareTheLegsBefore();
    ASSERT_EQ(game.FindTeleportByLevel("garden_tp.lvl"), nullptr);
    const int maxLife = game.GetPlayer()->GetMaxLife();
    const int crossbow = game.GetPlayer()->crossbowLevel;
    const auto began = std::chrono::steady_clock::now();
    const int frames = pilot->Frame();

    Fly(RunGarden);

    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    std::printf("the garden leg: %d passes in %.1f s\n", pilot->Frame() - frames, seconds);
    for (const char* done : {"done_g01", "done_g02", "done_g03"})
        EXPECT_EQ(pilot->SaveVar(done), "1") << done;
    Player* player = game.GetPlayer();
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->crossbowLevel, crossbow + 1) << "crossbow power 3";
    EXPECT_EQ(player->GetMaxLife(), maxLife + 4) << "two max-life rewards";
    // Standing in the Greenhouse Gate's ring (tiles 18-19).
    EXPECT_EQ(pilot->LevelName(), "garden_tp.lvl");
    EXPECT_GT(CentreOfPlayer(), 18.0f * 32.0f);
    EXPECT_LT(CentreOfPlayer(), 20.0f * 32.0f);
    EXPECT_LT(pilot->Frame() - frames, 20000);
}

} // namespace
