#include "bosses/NPC_Boss2_Underwater.h"
#include "bosses/NPC_Boss_Underwater.h"
#include "bosses/NPC_MiniBoss_Underwater.h"
#include "game/AchievementManager.h"
#include "script/BackgroundEvent.h"

#include "tests/bosses/BossArenaWorld.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The underwater nave's fights in their levels of the assembled world: the
// arena started by walking in, the fight fed through its phases to its end,
// the script past its wait for the death message, the gates, the reward
// through its cut-scene, the save and its reload.
namespace {

class UnderwaterArenasWorld : public BossArenaWorld {
protected:
    void TearDown() override
    {
        NPC_Boss2_Underwater::SetPool(NPC_Boss2_Underwater::kPool);
        BossArenaWorld::TearDown();
    }
    // Onto a reward at x (pixels, the player's left), inside its trigger
    // and short of the exit beyond it: its cut-scene from start to end.
    bool TakeReward(float x)
    {
        auto playing = [] { return BackgroundEvent::FindByTypeName("BGEvent_PickupCinematic") != nullptr; };
        if (!WalkTo(x, 400) || !WaitUntil(playing, 60))
            return false;
        return WaitUntil([&] { return !playing(); }, 600);
    }
    // Back in the level from the save the arena's script wrote.
    void ReloadInto(const std::string& level)
    {
        ReloadSave();
        ASSERT_TRUE(WaitUntil([&] { return game.GetCurrentLevel()->GetName() == level; }, 30))
            << game.GetCurrentLevel()->GetName();
        for (int pass = 0; pass < 5; ++pass)
            Pass();
    }
    std::vector<NPC_Boss2_Underwater*> Eggs()
    {
        std::vector<NPC_Boss2_Underwater*> eggs;
        for (CharacterObject* c : game.FindCharactersByName("NPC_Boss2_Underwater", nullptr, false))
            if (auto* egg = dynamic_cast<NPC_Boss2_Underwater*>(c))
                eggs.push_back(egg);
        return eggs;
    }
    NPC_Boss2_Underwater* MarkedEgg()
    {
        for (NPC_Boss2_Underwater* egg : Eggs())
            if (egg->IsMarked())
                return egg;
        return nullptr;
    }
    int Achieved(const std::string& name)
    {
        Achievement* a = game.GetAchievements().FindByName(name);
        return a != nullptr ? a->GetCurrent() : -1;
    }
};

TEST_F(UnderwaterArenasWorld, DrownedNaveTheRayReleasesJellyfishUntilItDiesAndGivesTheCrossbowPower)
{
    EnterLevel("underwater_01.lvl", "start");
    // From the save before the arena, east through the gate: it shuts.
    PutAt(41, 2);
    auto* ray = NamedAs<NPC_MiniBoss_Underwater>("miniboss_under");
    ASSERT_NE(ray, nullptr);
    EXPECT_EQ(Shows("gate_in_u01"), "Gate_Open");
    EXPECT_EQ(Shows("gate_out_u01"), "Gate_Closed");
    ASSERT_TRUE(WalkTo(47 * kTile, 400));
    ASSERT_TRUE(WaitUntil([&] { return Shows("gate_in_u01") == "Gate_Closed"; }, 60));
    // The jellyfish box is the trigger named after it.
    EXPECT_EQ(ray->GetJellyZone().x0, 48 * 32);
    EXPECT_EQ(ray->GetJellyZone().x1, 56 * 32 - 1);
    ASSERT_NE(ray->GetArm(), nullptr);

    // Each hit that leaves it alive lets a capsule out; the last one ends
    // it, at most one hit a frame.
    const int level = ThePlayer().crossbowLevel;
    ASSERT_EQ(SaveVar("done_u01"), "");
    for (int hit = 0; hit < 2; ++hit) {
        ray->ApplyDamage(&ThePlayer(), 10);
        Pass();
    }
    EXPECT_EQ(ray->GetLife(), NPC_MiniBoss_Underwater::kLife - 20);
    EXPECT_EQ(game.FindCharactersByName("Projectile_MiniBoss_Underwater", nullptr, true).size(), 2u);
    ray->ApplyDamage(&ThePlayer(), 10);
    EXPECT_TRUE(ray->IsExploding());

    ASSERT_TRUE(WaitUntil([&] { return SaveVar("done_u01") == "1"; }, 400));
    ASSERT_TRUE(WaitUntil([&] { return Shows("gate_out_u01") == "Gate_Open"; }, 10));
    EXPECT_EQ(Shows("gate_in_u01"), "Gate_Open");
    EXPECT_EQ(Achieved("Master of souls"), 1);

    // The reward behind the east gate, its cut-scene played once.
    EXPECT_TRUE(PickupLies("crossbow_u01"));
    ASSERT_TRUE(TakeReward(60 * kTile));
    EXPECT_EQ(SaveVar("got_26_u01"), "1");
    EXPECT_FALSE(PickupLies("crossbow_u01"));
    EXPECT_EQ(ThePlayer().crossbowLevel, level + 1);

    ReloadInto("underwater_01.lvl");
    EXPECT_EQ(SaveVar("done_u01"), "1");
    ray = NamedAs<NPC_MiniBoss_Underwater>("miniboss_under");
    ASSERT_NE(ray, nullptr);
    EXPECT_FALSE(ray->IsEnabled());
    EXPECT_EQ(ray->GetCurrentGraphical(), nullptr);
    EXPECT_EQ(Shows("gate_in_u01"), "Gate_Open");
    EXPECT_EQ(Shows("gate_out_u01"), "Gate_Open");
}

TEST_F(UnderwaterArenasWorld, CoralThroneTheArmsThenTheWeakBodyToThePowerSlot)
{
    EnterLevel("underwater_02.lvl", "start");
    auto* anemone = NamedAs<NPC_Boss_Underwater>("boss_underwater");
    ASSERT_NE(anemone, nullptr);
    for (int pass = 0; pass < 30; ++pass)
        Pass();
    EXPECT_EQ(anemone->GetState(), NPC_Boss_Underwater::kWaiting);

    // In through the west gate: it shuts and the anemone starts.
    ASSERT_TRUE(WalkTo(9 * kTile, 300));
    ASSERT_TRUE(WaitUntil([&] { return anemone->GetState() == NPC_Boss_Underwater::kFighting; }, 120));
    EXPECT_EQ(Shows("gate_in_u02"), "Gate_Closed");
    EXPECT_EQ(Shows("gate_out_u02"), "Gate_Closed");
    // The body hangs mid-water, out of the scythe's reach from the floor.
    EXPECT_GT(anemone->GetPosition().y, 10 * kTile);

    // The arms, one after the other: the last eye flies home and the body
    // turns weak.
    std::vector<CharacterObject*> arms = anemone->LiveArms();
    ASSERT_EQ(arms.size(), size_t(NPC_Boss_Underwater::kShortArms + NPC_Boss_Underwater::kLongArms));
    for (CharacterObject* arm : arms) {
        arm->ApplyDamage(&ThePlayer(), 5);
        Pass();
    }
    ASSERT_TRUE(WaitUntil([&] { return anemone->GetState() == NPC_Boss_Underwater::kWeak; }, 300));
    EXPECT_TRUE(anemone->LiveArms().empty());
    ASSERT_EQ(SaveVar("done_u02"), "");
    anemone->ApplyDamage(&ThePlayer(), NPC_Boss_Underwater::kLife);
    EXPECT_TRUE(anemone->IsExploding());

    ASSERT_TRUE(WaitUntil([&] { return SaveVar("done_u02") == "1"; }, 400));
    ASSERT_TRUE(WaitUntil([&] { return Shows("gate_out_u02") == "Gate_Open"; }, 10));
    EXPECT_EQ(Shows("gate_in_u02"), "Gate_Open");
    EXPECT_TRUE(WaitUntil(
        [&] { return game.FindCharactersByName("Projectile_Boss_Underwater", nullptr, true).empty(); }, 20));

    // The power slot behind the east gate: the ability's cut-scene, then
    // the new slot shown on the HUD.
    const int slots = ThePlayer().GetArmorState().armorChargesMax;
    EXPECT_TRUE(PickupLies("slots_u02"));
    ASSERT_TRUE(TakeReward(29 * kTile - 24.0f));
    EXPECT_EQ(SaveVar("got_22"), "1");
    EXPECT_FALSE(PickupLies("slots_u02"));
    EXPECT_EQ(ThePlayer().GetArmorState().armorChargesMax, slots + 1);

    ReloadInto("underwater_02.lvl");
    EXPECT_EQ(SaveVar("done_u02"), "1");
    anemone = NamedAs<NPC_Boss_Underwater>("boss_underwater");
    ASSERT_NE(anemone, nullptr);
    EXPECT_FALSE(anemone->IsEnabled());
    EXPECT_EQ(anemone->GetCurrentGraphical(), nullptr);
    EXPECT_EQ(Shows("gate_out_u02"), "Gate_Open");
}

TEST_F(UnderwaterArenasWorld, EggCradleTheBossOutOfItsEggThroughItsRanksToTheWeaponPower)
{
    EnterLevel("underwater_03.lvl", "start");
    ASSERT_EQ(Eggs().size(), 3u);
    Pass();
    EXPECT_NE(MarkedEgg(), nullptr) << "one egg hides the boss";
    const int keepGoing = Achieved("Keep Going");

    ASSERT_TRUE(WalkTo(8 * kTile, 300));
    ASSERT_TRUE(WaitUntil([&] { return Eggs()[0]->GetState() == NPC_Boss2_Underwater::kClosed; }, 120));
    EXPECT_EQ(Shows("gate_in_u03"), "Gate_Closed");
    for (NPC_Boss2_Underwater* egg : Eggs())
        EXPECT_EQ(egg->GetState(), NPC_Boss2_Underwater::kClosed) << "one start reaches every egg";

    // Breaking the marked egg lets the boss out; each hit on it takes one
    // from the shared pool. Three times out: the rank falls to 2, then 3,
    // then the pool is empty.
    ASSERT_EQ(SaveVar("done_u03"), "");
    for (const int hits : {20, 15, 15}) {
        NPC_Boss2_Underwater* egg = nullptr;
        ASSERT_TRUE(WaitUntil(
            [&] {
                egg = MarkedEgg();
                return egg != nullptr && egg->GetState() == NPC_Boss2_Underwater::kClosed;
            },
            400));
        egg->ApplyDamage(&ThePlayer(), NPC_Boss2_Underwater::kEggLife);
        ASSERT_EQ(egg->GetState(), NPC_Boss2_Underwater::kBossOut);
        for (int hit = 0; hit < hits; ++hit)
            egg->ApplyDamage(&ThePlayer(), 2);
        if (NPC_Boss2_Underwater::GetPool() > 0) {
            EXPECT_EQ(NPC_Boss2_Underwater::GetRank(), NPC_Boss2_Underwater::GetPool() > 15 ? 2 : 3);
            // It attacks, goes back in, and another egg is marked.
            ASSERT_TRUE(WaitUntil([&] { return egg->GetState() == NPC_Boss2_Underwater::kClosed; }, 300));
        }
    }
    EXPECT_EQ(NPC_Boss2_Underwater::GetPool(), 0);
    for (NPC_Boss2_Underwater* egg : Eggs())
        EXPECT_TRUE(egg->IsExploding());

    ASSERT_TRUE(WaitUntil([&] { return SaveVar("done_u03") == "1"; }, 400));
    ASSERT_TRUE(WaitUntil([&] { return Shows("gate_out_u03") == "Gate_Open"; }, 10));
    EXPECT_EQ(Shows("gate_in_u03"), "Gate_Open");
    EXPECT_EQ(Achieved("Keep Going"), keepGoing + 1);
    EXPECT_TRUE(game.FindCharactersByName("Projectile_Boss2_Underwater", nullptr, true).empty());

    // The weapon power is on show only: touched, it stays.
    ASSERT_TRUE(WalkTo(28 * kTile, 300));
    for (int pass = 0; pass < 10; ++pass)
        Pass();
    EXPECT_TRUE(PickupLies("weapon_u03"));

    ReloadInto("underwater_03.lvl");
    EXPECT_EQ(SaveVar("done_u03"), "1");
    ASSERT_EQ(Eggs().size(), 3u);
    for (NPC_Boss2_Underwater* egg : Eggs()) {
        EXPECT_FALSE(egg->IsEnabled());
        EXPECT_EQ(egg->GetCurrentGraphical(), nullptr);
    }
    EXPECT_EQ(Shows("gate_out_u03"), "Gate_Open");
}

} // namespace
