#include "bosses/NPC_Boss2_Cave.h"
#include "bosses/NPC_Boss_Cave.h"
#include "bosses/NPC_MiniBoss_Cave.h"
#include "bosses/Projectile_Boss_Cave.h"
#include "script/BackgroundEvent.h"

#include "tests/bosses/BossArenaWorld.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

// The cave's fights in their levels of the assembled world: the arena
// started by walking in, the fight fed to its end, the script past its wait
// for the death message, the gates, the reward through its cut-scene, the
// save and its reload.
namespace {

class CaveArenasWorld : public BossArenaWorld {
protected:
    NPC_Boss_Cave* Head(int n) { return NamedAs<NPC_Boss_Cave>("NPC_Boss_Cave__HEAD" + std::to_string(n)); }
    // The cave mini-boss's master.
    NPC_MiniBoss_Cave* First() { return NamedAs<NPC_MiniBoss_Cave>("miniboss_cave"); }
};

// Arriving at "from_eye", inside the arena's trigger, starts the fight as
// walking in does, and the heads say so on the debug output: the fight's
// benchmark enters there and waits for that line.
TEST_F(CaveArenasWorld, HiveHollowEnteredFromTheEyeStartsTheFightAndSaysSo)
{
    EnterLevel("cave_02.lvl", "from_eye");
    ASSERT_NE(Head(1), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return Head(1)->GetInsectsAlive() != -1; }, 120));
    EXPECT_NE(debug.Text().find("NPC_Boss_Cave__HEAD1: the fight starts\n"), std::string::npos);
}

TEST_F(CaveArenasWorld, HiveHollowFromTheDoorwayToTheCrossbowAndBack)
{
    EnterLevel("cave_02.lvl", "start");
    ASSERT_NE(Head(3), nullptr);
    EXPECT_EQ(Shows("gate_in_v02"), "Gate_Open");
    EXPECT_EQ(Shows("gate_out_v02"), "Gate_Closed");
    // Nothing starts before the player is in.
    for (int pass = 0; pass < 100; ++pass)
        Pass();
    EXPECT_EQ(Head(1)->GetInsectsAlive(), -1);

    // Through the doorway: the gate shuts behind, the camera shakes, the
    // heads start.
    ASSERT_TRUE(WalkTo(12 * kTile));
    ASSERT_TRUE(WaitUntil([&] { return Head(1)->GetInsectsAlive() != -1; }, 120));
    EXPECT_EQ(Shows("gate_in_v02"), "Gate_Closed");
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(Head(n)->GetInsectsAlive(), 0) << n;
    EXPECT_EQ(Head(1)->GetBurstLeft(), 2) << "three heads: bursts of two";
    ASSERT_TRUE(WaitUntil(
        [&] { return !game.FindCharactersByName("Projectile_Boss_Cave", nullptr, true).empty(); }, 200));

    // The east head sits on the floor: the scythe, at its highest rank,
    // takes it down.
    ThePlayer().SetAttackRank(4);
    NPC_Boss_Cave* east = nullptr;
    for (int n = 1; n <= 3; ++n)
        if (Head(n)->GetDirection().x < 0.0f)
            east = Head(n);
    ASSERT_NE(east, nullptr);
    const float spot = east->GetPosition().x - 2 * kTile;
    for (int round = 0; round < 100 && east->GetLife() > 0; ++round) {
        // Back to the spot whenever an insect knocked the player off it.
        if (std::abs(X() - spot) > kTile / 2) {
            ASSERT_TRUE(WalkTo(spot, 400));
        }
        Swing(1.0f, 12);
    }
    EXPECT_LE(east->GetLife(), 0) << "the scythe never brought the east head down";
    EXPECT_EQ(NamedAs<NPC_Boss_Cave>(NPC_Boss_Cave::kManagerName)->GetLife(), 2);

    // The two others hang on the west wall and its ledge, reached by a climb
    // over the platforms that this walk does not make: their life is taken
    // straight from the player.
    ASSERT_EQ(SaveVar("done_v02"), "");
    std::vector<NPC_Boss_Cave*> west;
    for (int n = 1; n <= 3; ++n)
        if (Head(n) != nullptr && Head(n) != east)
            west.push_back(Head(n));
    ASSERT_EQ(west.size(), 2u);
    west[0]->ApplyDamage(&ThePlayer(), 40);
    EXPECT_EQ(NamedAs<NPC_Boss_Cave>(NPC_Boss_Cave::kManagerName)->GetLife(), 1);
    west[1]->ApplyDamage(&ThePlayer(), 40);

    // The line after the wait: the fight is saved won, both gates open.
    ASSERT_TRUE(WaitUntil([&] { return SaveVar("done_v02") == "1"; }, 60));
    ASSERT_TRUE(WaitUntil([&] { return Shows("gate_out_v02") == "Gate_Open"; }, 10));
    EXPECT_EQ(Shows("gate_in_v02"), "Gate_Open");
    EXPECT_TRUE(WaitUntil(
        [&] { return game.FindCharactersByName("Projectile_Boss_Cave", nullptr, false).empty(); }, 10));

    // The reward: through the alcove's gate onto the crossbow, its cut-scene
    // played once.
    EXPECT_TRUE(PickupLies("crossbow_v02"));
    PutAt(25, 12);
    ASSERT_TRUE(WalkTo(28 * kTile + 16.0f, 200));
    ASSERT_TRUE(WaitUntil([&] { return SaveVar("got_5") == "1"; }, 60));
    EXPECT_TRUE(
        WaitUntil([&] { return BackgroundEvent::FindByTypeName("BGEvent_PickupCinematic") != nullptr; }, 30));
    EXPECT_TRUE(WaitUntil(
        [&] { return BackgroundEvent::FindByTypeName("BGEvent_PickupCinematic") == nullptr; }, 600));
    EXPECT_FALSE(PickupLies("crossbow_v02"));
    EXPECT_TRUE(ThePlayer().IsModifierEnabled(Player::kCrossbow));

    // The save the script wrote brings the player back to a won arena: the
    // heads stay disabled and the alcove open.
    ReloadSave();
    ASSERT_TRUE(WaitUntil([&] { return game.GetCurrentLevel()->GetName() == "cave_02.lvl"; }, 30));
    for (int pass = 0; pass < 5; ++pass)
        Pass();
    EXPECT_EQ(SaveVar("done_v02"), "1");
    for (int n = 1; n <= 3; ++n) {
        ASSERT_NE(Head(n), nullptr) << n;
        EXPECT_FALSE(Head(n)->IsEnabled()) << n;
    }
    EXPECT_FALSE(NamedAs<NPC_Boss_Cave>(NPC_Boss_Cave::kManagerName)->IsEnabled());
    EXPECT_EQ(Shows("gate_out_v02"), "Gate_Open");
    EXPECT_TRUE(game.FindCharactersByName("Projectile_Boss_Cave", nullptr, false).empty());
}

TEST_F(CaveArenasWorld, EyeOfTheDeepFromTheDoorwayToClimbingAndBack)
{
    EnterLevel("cave_03.lvl", "from_hollow");
    auto* eye = NamedAs<NPC_Boss2_Cave>(NPC_Boss2_Cave::kLevelName);
    ASSERT_NE(eye, nullptr);
    EXPECT_EQ(game.FindCharactersByName(NPC_Boss2_Cave::kMarkerName, nullptr, false).size(), 3u);
    for (int pass = 0; pass < 60; ++pass)
        Pass();
    EXPECT_EQ(eye->GetState(), NPC_Boss2_Cave::kClosed);

    // In through the doorway: the gate shuts and the eye opens.
    ASSERT_TRUE(WalkTo(12 * kTile));
    ASSERT_TRUE(WaitUntil([&] { return eye->GetState() == NPC_Boss2_Cave::kOpening; }, 120));
    EXPECT_EQ(Shows("gate_in_v03"), "Gate_Closed");
    // Blue calls an eye, red fires its beam for 90 frames, green raises a
    // plant over the player.
    ASSERT_TRUE(WaitUntil([&] { return eye->GetState() == NPC_Boss2_Cave::kRed; }, 300));
    EXPECT_EQ(game.FindCharactersByName(NPC_Boss2_Cave::kEyeName, nullptr, true).size(), 1u);
    ASSERT_NE(eye->GetShot(), nullptr);
    int red = 0;
    while (eye->GetState() == NPC_Boss2_Cave::kRed && red < 200) {
        Pass();
        ++red;
    }
    EXPECT_EQ(red, 90);
    ASSERT_TRUE(WaitUntil([&] { return eye->Plants().InPlay() > 0; }, 10)) << "a plant over the player";

    // The first bar, then the second at 60 life; the eye stands on its
    // pedestal by the east rock, so the blows are given straight.
    eye->ApplyDamage(&ThePlayer(), 90);
    EXPECT_EQ(eye->GetState(), NPC_Boss2_Cave::kSecondCycle);
    EXPECT_EQ(eye->GetLife(), 60);
    ASSERT_TRUE(WaitUntil([&] { return eye->IsBigShotFired(); }, 300));
    ASSERT_EQ(SaveVar("done_v03"), "");
    eye->ApplyDamage(&ThePlayer(), 60);
    EXPECT_TRUE(eye->IsExploding());

    // The line after the wait: the fight is saved won, both gates open.
    ASSERT_TRUE(WaitUntil([&] { return SaveVar("done_v03") == "1"; }, 400));
    ASSERT_TRUE(WaitUntil([&] { return Shows("gate_out_v03") == "Gate_Open"; }, 10));
    EXPECT_EQ(Shows("gate_in_v03"), "Gate_Open");
    EXPECT_TRUE(game.FindCharactersByName("Projectile_Boss2_Cave", nullptr, false).empty());

    // The reward: climbing, through its cut-scene.
    EXPECT_TRUE(PickupLies("climb_v03"));
    PutAt(25, 14);
    ASSERT_TRUE(WalkTo(28 * kTile + 16.0f, 200));
    ASSERT_TRUE(WaitUntil([&] { return SaveVar("got_3") == "1"; }, 60));
    EXPECT_TRUE(
        WaitUntil([&] { return BackgroundEvent::FindByTypeName("BGEvent_PickupCinematic") != nullptr; }, 30));
    EXPECT_TRUE(WaitUntil(
        [&] { return BackgroundEvent::FindByTypeName("BGEvent_PickupCinematic") == nullptr; }, 600));
    EXPECT_FALSE(PickupLies("climb_v03"));
    EXPECT_TRUE(ThePlayer().IsModifierEnabled(Player::kClimb));

    // Reloaded, the eye stays disabled and the alcove open.
    ReloadSave();
    ASSERT_TRUE(WaitUntil([&] { return game.GetCurrentLevel()->GetName() == "cave_03.lvl"; }, 30));
    for (int pass = 0; pass < 5; ++pass)
        Pass();
    EXPECT_EQ(SaveVar("done_v03"), "1");
    eye = NamedAs<NPC_Boss2_Cave>(NPC_Boss2_Cave::kLevelName);
    ASSERT_NE(eye, nullptr);
    EXPECT_FALSE(eye->IsEnabled());
    EXPECT_EQ(eye->GetCurrentGraphical(), nullptr);
    EXPECT_EQ(Shows("gate_out_v03"), "Gate_Open");
}

TEST_F(CaveArenasWorld, DrownedTunnelsTheLanternColumnToTheSpiderForm)
{
    EnterLevel("cave_01.lvl", "start");
    // From the save before the arena, east along the corridor: the column
    // stands at its home; the gate shuts behind the player.
    PutAt(32, 8);
    ASSERT_TRUE(WaitUntil([&] { return First() != nullptr; }, 30));
    NPC_MiniBoss_Cave* master = First();
    EXPECT_EQ(master->GetName(), "miniboss_cave");
    ASSERT_TRUE(WalkTo(43 * kTile, 300));
    ASSERT_TRUE(WaitUntil([&] { return Shows("gate_in_v01") == "Gate_Closed"; }, 60));
    ASSERT_EQ(master->GetParts().size(), 2u);
    // Near, at home: a lantern lights up and the beams fire.
    ASSERT_TRUE(WaitUntil([&] { return master->GetState() == NPC_MiniBoss_Cave::kAttacking; }, 120));

    // The scythe, at its highest rank, on the column until it falls.
    ThePlayer().SetAttackRank(4);
    for (int round = 0; round < 120 && master->GetLife() > 0; ++round) {
        if (std::abs(X() - 44 * kTile) > kTile)
            WalkTo(44 * kTile, 60);
        Swing(1.0f, 12);
    }
    ASSERT_LE(master->GetLife(), 0) << "the scythe never brought the column down";
    EXPECT_TRUE(master->IsExploding());

    // The line after the wait, the gates, the spider form through its
    // cut-scene, the save and its reload.
    ASSERT_TRUE(WaitUntil([&] { return SaveVar("done_v01") == "1"; }, 400));
    ASSERT_TRUE(WaitUntil([&] { return Shows("gate_out_v01") == "Gate_Open"; }, 10));
    EXPECT_EQ(Shows("gate_in_v01"), "Gate_Open");
    EXPECT_TRUE(PickupLies("spider_v01"));
    // Up to the mouth of the spider tunnel, one tile high, where the
    // spider form lies.
    ASSERT_TRUE(WalkTo(58 * kTile + 16.0f, 300));
    ASSERT_TRUE(WaitUntil([&] { return SaveVar("got_4") == "1"; }, 60));
    EXPECT_TRUE(WaitUntil(
        [&] { return BackgroundEvent::FindByTypeName("BGEvent_PickupCinematic") == nullptr; }, 600));
    EXPECT_TRUE(ThePlayer().IsModifierEnabled(Player::kSpiderAbility));
    ReloadSave();
    ASSERT_TRUE(WaitUntil([&] { return game.GetCurrentLevel()->GetName() == "cave_01.lvl"; }, 30));
    for (int pass = 0; pass < 5; ++pass)
        Pass();
    ASSERT_NE(First(), nullptr);
    EXPECT_FALSE(First()->IsEnabled());
    EXPECT_EQ(First()->GetParts().size(), 0u) << "a disabled column never builds its lanterns";
    EXPECT_EQ(Shows("gate_out_v01"), "Gate_Open");
}

} // namespace
