#include "bosses/NPC_MiniBoss_Boat.h"
#include "enemies/Projectile_Fire_Launcher.h"

#include "tests/bosses/BossArena.h"

#include <gtest/gtest.h>

// The deck's mini-boss in a small arena: its cycle of pause, wind-up,
// attack and wind-down, one pair of fireballs a cycle, 30 life and the
// explosion whose end announces it.
namespace {

class DeckMiniBoss : public BossArena {
protected:
    void SetUp() override
    {
        BossArena::SetUp();
        if (IsSkipped())
            return;
        Enter("place Zone_NPCSpawner_MiniBoss_Boat miniboss_boat 20 2 3x3\n", 4);
        boss = Watched(NamedAs<NPC_MiniBoss_Boat>("miniboss_boat"));
        ASSERT_NE(boss, nullptr);
    }
    Watched<NPC_MiniBoss_Boat> boss;
};

TEST_F(DeckMiniBoss, EachCycleThrowsTwoFireballsAlongTheDeckOnTheFirstFrameOfItsAttack)
{
    EXPECT_EQ(boss->GetLife(), NPC_MiniBoss_Boat::kLife);
    EXPECT_EQ(boss->GetState(), NPC_MiniBoss_Boat::kPause);
    EXPECT_GE(boss->GetFrameCounter(), 33);
    EXPECT_LE(boss->GetFrameCounter(), 98);
    // A known pause, so the cycle's frames can be counted (after its first
    // update, which takes its look).
    Pass();
    boss->SetFrameCounter(5);
    Passes(5);
    EXPECT_EQ(boss->GetState(), NPC_MiniBoss_Boat::kWindUp);
    ASSERT_GE(PassUntil([&] { return boss->GetState() == NPC_MiniBoss_Boat::kAttack; }, 60), 0);
    EXPECT_EQ(CountOf("Projectile_Fire_LauncherV0"), 0);
    Pass();
    std::vector<Projectile_Fire_Launcher*> fire = All<Projectile_Fire_Launcher>();
    ASSERT_EQ(fire.size(), 2u) << "both leave on the attack's first update";
    const float middle = boss->GetPosition().x + float(boss->GetSize().x) * 0.5f;
    EXPECT_EQ(fire[0]->GetDirection(), Point<float>(-1.0f, 0.0f));
    EXPECT_EQ(fire[1]->GetDirection(), Point<float>(1.0f, 0.0f));
    EXPECT_NEAR(fire[0]->GetPosition().x, middle - 128.0f, 16.0f);
    EXPECT_NEAR(fire[1]->GetPosition().x, middle + 128.0f, 16.0f);
    EXPECT_TRUE(fire[0]->IsMiniBossBoatFlame());
    // Wind-down, then a new pause of 33 to 98 frames.
    ASSERT_GE(PassUntil([&] { return boss->GetState() == NPC_MiniBoss_Boat::kWindDown; }, 60), 0);
    ASSERT_GE(PassUntil([&] { return boss->GetState() == NPC_MiniBoss_Boat::kPause; }, 60), 0);
    EXPECT_GE(boss->GetFrameCounter(), 33);
    EXPECT_LE(boss->GetFrameCounter(), 98);
}

TEST_F(DeckMiniBoss, ThirtyLifeOfBlowsExplodeItOnceAndItsRemovalAnnouncesIt)
{
    MessageCounter* died = Await("miniboss_boat_State_DIE");
    // A hit without an attacker only flashes.
    boss->ApplyDamage(nullptr, 10);
    EXPECT_EQ(boss->GetLife(), NPC_MiniBoss_Boat::kLife);
    Strike(boss, NPC_MiniBoss_Boat::kLife - 1);
    EXPECT_EQ(boss->GetLife(), 1);
    EXPECT_FALSE(boss->IsExploding());
    Strike(boss, 1);
    EXPECT_TRUE(boss->IsExploding());
    // Exploding, it neither attacks nor hurts; another hit does not start
    // the explosion again.
    Passes(10);
    const ShaderEffect_TimeDependent* wave = boss->GetShockWave();
    ASSERT_NE(wave, nullptr);
    boss->ReceiveHit(&ThePlayer(), 1, 1.0f);
    EXPECT_EQ(boss->GetShockWave(), wave) << "the running explosion goes on";
    EXPECT_EQ(CountOf("Projectile_Fire_LauncherV0"), 0);
    ASSERT_GE(PassUntil([&] { return died->Count() > 0; }, 300), 0);
    EXPECT_EQ(died->Count(), 1);
    EXPECT_FALSE(Live(boss));
}

} // namespace
