#include "bosses/NPC_MiniBoss_Underwater.h"
#include "bosses/NPC_MiniBoss_Underwater_Arm.h"
#include "bosses/Projectile_MiniBoss_Underwater.h"
#include "enemies/NPC_JellyFish.h"

#include "tests/bosses/BossArena.h"

#include <gtest/gtest.h>

#include <cmath>

// The Drowned Nave's mini-boss in a small arena: it swims its zone with its
// arm, every hit that leaves it alive sends a capsule down that opens on the
// floor and lets a jellyfish out into the marked rectangle, one damaging
// hit a frame, and the last one explodes it with its arm.
namespace {

class NaveMiniBoss : public BossArena {
protected:
    void SetUp() override
    {
        BossArena::SetUp();
        if (IsSkipped())
            return;
        Enter("place Zone_NPCSpawner_MiniBoss_Underwater miniboss_under 6 4 16x8\n"
              "trigger miniboss_under_JellyZone 10 5 8x4 {\n:OnStartup\n}\n",
            2);
        boss = NamedAs<NPC_MiniBoss_Underwater>("miniboss_under");
        ASSERT_NE(boss, nullptr);
        Pass();
    }
    NPC_MiniBoss_Underwater* boss = nullptr;
};

TEST_F(NaveMiniBoss, ItSwimsItsZoneWithItsArmBobbingAndTurningAtTheEnds)
{
    ASSERT_NE(boss->GetArm(), nullptr);
    EXPECT_EQ(boss->GetArm()->GetOwner(), boss);
    EXPECT_EQ(boss->rect, Rect<int>(6 * 32, 12 * 32, 22 * 32, 4 * 32));
    EXPECT_EQ(boss->GetJellyZone(), Rect<int>(10 * 32, 5 * 32 + 127, 18 * 32 - 1, 5 * 32));
    EXPECT_EQ(boss->GetCurrentGraphical(), boss->Look("GraphicalMoveLeft"))
        << "the left look while going right";
    // Both ends of the zone are reached and turned at, the body keeping
    // within 16 px of its home height.
    float least = 1e9f, most = -1e9f, low = 1e9f, high = -1e9f;
    bool turnedLeft = false;
    for (int pass = 0; pass < 1200; ++pass) {
        Pass();
        const Point<float> at = boss->GetPosition();
        least = std::min(least, at.x);
        most = std::max(most, at.x + float(boss->GetSize().x));
        low = std::min(low, at.y);
        high = std::max(high, at.y);
        turnedLeft = turnedLeft || boss->GetDirection().x < 0.0f;
    }
    EXPECT_TRUE(turnedLeft);
    EXPECT_NEAR(least, 6.0f * 32.0f, 8.0f);
    EXPECT_NEAR(most, 22.0f * 32.0f, 8.0f);
    EXPECT_NEAR(high - low, 32.0f, 1.0f);
    // The arm stays centred on the body.
    const Point<float> centre = boss->GetPosition() + boss->GetSize().ToFloat() * 0.5f;
    const Point<float> armCentre = boss->GetArm()->GetPosition() + boss->GetArm()->GetSize().ToFloat() * 0.5f;
    EXPECT_NEAR(armCentre.x, centre.x, 2.0f);
}

TEST_F(NaveMiniBoss, EachHitReleasesACapsuleThatOpensOnTheFloorIntoAJellyfishOnlyOnceAFrame)
{
    // A hit on the arm is a hit on the body; the same frame's second one
    // does nothing more.
    Strike(boss->GetArm(), 1);
    Strike(boss, 1);
    EXPECT_EQ(boss->GetLife(), NPC_MiniBoss_Underwater::kLife - 1);
    ASSERT_EQ(CountOf("Projectile_MiniBoss_UnderwaterV0"), 1);
    const Watched capsule(First<Projectile_MiniBoss_Underwater>());
    ASSERT_NE(capsule, nullptr);
    EXPECT_EQ(capsule->GetJellyZone(), boss->GetJellyZone());
    // It sinks until it meets the floor, opens, and a jellyfish comes out.
    ASSERT_GE(
        PassUntil([&] { return capsule->GetState() == Projectile_MiniBoss_Underwater::kOpening; }, 300), 0);
    EXPECT_LT(capsule->GetPosition().y, kFloor + 8.0f);
    ASSERT_GE(PassUntil([&] { return CountOf("NPC_JellyFishV0") == 1; }, 60), 0);
    auto* jelly = First<NPC_JellyFish>();
    EXPECT_EQ(jelly->rect, boss->GetJellyZone());
    Pass();
    EXPECT_FALSE(Live(capsule));
    // A hit without an attacker only flashes.
    boss->ApplyDamage(nullptr, 5);
    EXPECT_EQ(boss->GetLife(), NPC_MiniBoss_Underwater::kLife - 1);
}

TEST_F(NaveMiniBoss, TheLethalHitReleasesNoCapsuleAndExplodesTheBodyWithItsArm)
{
    MessageCounter* died = Await("miniboss_under_State_DIE");
    Strike(boss, NPC_MiniBoss_Underwater::kLife);
    EXPECT_TRUE(boss->IsExploding());
    EXPECT_TRUE(boss->GetArm()->IsExploding());
    EXPECT_EQ(CountOf("Projectile_MiniBoss_UnderwaterV0"), 0);
    ASSERT_GE(PassUntil([&] { return died->Count() > 0; }, 300), 0);
    Pass();
    EXPECT_EQ(CountOf("NPC_MiniBoss_Underwater_ArmV0"), 0);
}

} // namespace
