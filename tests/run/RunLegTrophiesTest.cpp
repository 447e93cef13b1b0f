#include "characters/Player.h"
#include "characters/PlayerArmorFire.h"
#include "characters/PlayerArmorIce.h"
#include "characters/PlayerModifier.h"
#include "game/AchievementManager.h"
#include "script/ScriptVar.h"
#include "tools/run/RunLegs.h"

#include "tests/run/RunFixture.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

// The trophies leg: from the Greenhouse Gate, with every area done, both
// armors at level 2 (the ice one worn) and one bolt left in a level-3
// crossbow, "Invincible", "Can't touch this" and "Scythe of Death" earned by
// keys and the player back in the Gate's ring for the finale.
namespace {

class RunLegTrophies : public RunFixture {
protected:
    void PrepareTheLegsBefore()
    {
        Arrive("Garden_tp.lvl", "from_orchard");
        Player& player = *game.GetPlayer();
        for (int kind : {Player::kFireArmor, Player::kIceArmor, Player::kDoubleJump, Player::kClimb,
                 Player::kSpiderAbility, Player::kCrossbow, Player::kStraff})
            player.EnableModifier(kind);
        player.SetAttackRank(4);
        player.crossbowLevel = 3;
        PlayerArmorCrossbow* crossbow = GetPlayerArmorCrossbow(&player);
        ASSERT_NE(crossbow, nullptr);
        crossbow->boltsLeft = 1;
        PlayerArmorState& armor = player.GetArmorState();
        armor.armorChargesMax = 2;
        armor.armorCharges = 0;
        armor.armorRechargePeriod -= 30;
        WearIceWithBothArmorsAtLevel2(player);
        if (HasFatalFailure())
            return;
        for (const char* done : {"done_g01", "done_g02", "done_g03", "lever_g01"}) {
            ScriptVar* var = Game::FindSaveVar(done);
            if (var == nullptr)
                var = game.CreateSaveVar(done);
            ASSERT_NE(var, nullptr);
            var->SetValue("1");
        }
    }
};

TEST_F(RunLegTrophies, FiftyKillsUnhurtFiftySoulsAndTenKillsOfOneBoltBackToTheGatesRing)
{
    PrepareTheLegsBefore();
    std::vector<Achievement*> trophies;
    for (const char* name : {"Invincible", "Can't touch this", "Scythe of Death"}) {
        Achievement* trophy = game.GetAchievements().FindByName(name);
        ASSERT_NE(trophy, nullptr) << name;
        ASSERT_FALSE(trophy->IsComplete()) << name;
        trophies.push_back(trophy);
    }
    const auto began = std::chrono::steady_clock::now();
    const int frames = pilot->Frame();

    Fly(RunTrophies);

    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    std::printf("the trophies leg: %d passes in %.1f s\n", pilot->Frame() - frames, seconds);
    for (const Achievement* trophy : trophies)
        EXPECT_TRUE(trophy->IsComplete()) << trophy->GetCurrent() << " of " << trophy->GetTarget();
    // Standing in the Greenhouse Gate's ring (tiles 18-19), where the finale
    // teleports from.
    Player* player = game.GetPlayer();
    ASSERT_NE(player, nullptr);
    const float centre = player->GetPosition().x + player->GetSize().x / 2.0f;
    EXPECT_EQ(pilot->LevelName(), "garden_tp.lvl");
    EXPECT_GT(centre, 18.0f * 32.0f);
    EXPECT_LT(centre, 20.0f * 32.0f);
    EXPECT_LT(pilot->Frame() - frames, 8000);
}

} // namespace
