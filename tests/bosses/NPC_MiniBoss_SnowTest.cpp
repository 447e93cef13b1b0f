#include "bosses/NPC_MiniBoss_Snow.h"
#include "bosses/Projectile_MiniBoss_Snow.h"

#include "tests/bosses/BossArena.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

// The Mere's mini-boss in a small arena: blows never reach it; three
// targets circle its mouth, each blow on one throws a shard at the player,
// each broken target costs it a life, and the third breaks it.
namespace {

class MereMiniBoss : public BossArena {
protected:
    void SetUp() override
    {
        BossArena::SetUp();
        if (IsSkipped())
            return;
        Enter("place Zone_NPCSpawner_MiniBoss_Snow miniboss_snow 4 2 3x3\n", 20);
        boss = NamedAs<NPC_MiniBoss_Snow>("miniboss_snow");
        ASSERT_NE(boss, nullptr);
        Pass();
        for (Projectile_MiniBoss_Snow* p : All<Projectile_MiniBoss_Snow>())
            if (p->GetState() == Projectile_MiniBoss_Snow::kTarget)
                targets.push_back(p);
    }
    std::vector<Projectile_MiniBoss_Snow*> Shards()
    {
        std::vector<Projectile_MiniBoss_Snow*> thrown;
        for (Projectile_MiniBoss_Snow* p : All<Projectile_MiniBoss_Snow>())
            if (p->GetState() == Projectile_MiniBoss_Snow::kThrown)
                thrown.push_back(p);
        return thrown;
    }
    NPC_MiniBoss_Snow* boss = nullptr;
    std::vector<Projectile_MiniBoss_Snow*> targets;
};

TEST_F(MereMiniBoss, ThreeTargetsCircleItsMouth224PixelsOutTwoDegreesAFrame)
{
    ASSERT_EQ(targets.size(), 3u);
    const Point<float> mouth = boss->GetPosition() + Projectile_MiniBoss_Snow::kOrbitCentre;
    for (size_t i = 0; i < targets.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(targets[i]->GetOwner(), boss);
        const Point<float> d = targets[i]->GetPosition() - mouth;
        EXPECT_NEAR(std::sqrt(d.x * d.x + d.y * d.y), 224.0f, 0.5f);
    }
    // 120 degrees apart, each 2 degrees further every frame.
    EXPECT_NEAR(
        std::fmod(targets[1]->GetOrbitAngle() - targets[0]->GetOrbitAngle() + 360.0f, 360.0f), 120.0f, 0.01f);
    const float before = targets[0]->GetOrbitAngle();
    Passes(5);
    EXPECT_NEAR(targets[0]->GetOrbitAngle(), std::fmod(before + 10.0f, 360.0f), 0.01f);
    // The scythe's boxes never reach the mini-boss itself.
    const Point<int> at = boss->GetPosition().ToInt() + Point<int>(100, 100);
    EXPECT_FALSE(boss->IsHitByBox(Rect<int>(at.x, at.y + 50, at.x + 50, at.y), false));
}

TEST_F(MereMiniBoss, EachBlowOnATargetThrowsAShardAndTheThirdBrokenTargetBreaksIt)
{
    ASSERT_EQ(targets.size(), 3u);
    MessageCounter* died = Await("miniboss_snow_State_DIE");
    // A blow that leaves the target whole: the mini-boss flashes (no life
    // lost) and throws one shard at the player's hurt box.
    Strike(targets[0], 1);
    EXPECT_EQ(boss->GetLife(), NPC_MiniBoss_Snow::kLife);
    EXPECT_TRUE(boss->WasHit());
    std::vector<Projectile_MiniBoss_Snow*> thrown = Shards();
    ASSERT_EQ(thrown.size(), 1u);
    EXPECT_EQ(boss->GetCurrentGraphical(), boss->GetAttackSprite());
    const Point<float> from = thrown[0]->GetPosition();
    EXPECT_EQ(from, boss->GetPosition() + NPC_MiniBoss_Snow::kMouth - Point<float>(32.0f, 32.0f));
    // It flies straight at 6 and does not steer.
    Pass();
    const Point<float> step = thrown[0]->GetPosition() - from;
    EXPECT_NEAR(std::sqrt(step.x * step.x + step.y * step.y), 6.0f * 32.0f * 0.033f, 0.01f);
    EXPECT_GT(step.x, 0.0f) << "toward the player, east of it";
    Pass();
    const Point<float> step2 = thrown[0]->GetPosition() - from;
    EXPECT_NEAR(step2.x, 2.0f * step.x, 0.01f);

    // The breaking blow costs the mini-boss a life and throws again.
    Strike(targets[0], Projectile_MiniBoss_Snow::kLife);
    EXPECT_TRUE(targets[0]->IsDead());
    EXPECT_EQ(boss->GetLife(), 2);
    EXPECT_EQ(Shards().size(), 2u);
    Strike(targets[1], Projectile_MiniBoss_Snow::kLife + 3);
    EXPECT_EQ(boss->GetLife(), 1);
    // The third: no throw, the mini-boss explodes.
    const size_t shards = Shards().size();
    Strike(targets[2], Projectile_MiniBoss_Snow::kLife);
    EXPECT_EQ(boss->GetLife(), 0);
    EXPECT_EQ(Shards().size(), shards);
    EXPECT_TRUE(boss->IsExploding());
    EXPECT_GE(PassUntil([&] { return died->Count() > 0; }, 300), 0);
    EXPECT_EQ(died->Count(), 1);
}

// After a throw the attack look stays: nothing brings the idle one back.
TEST_F(MereMiniBoss, ItsAttackLookStaysCurrentAfterAThrowHasPlayed)
{
    ASSERT_EQ(targets.size(), 3u);
    EXPECT_NE(boss->GetCurrentGraphical(), boss->GetAttackSprite());
    Strike(targets[0], 1);
    GraphicalObject* attack = boss->GetAttackSprite();
    ASSERT_NE(attack, nullptr);
    ASSERT_EQ(boss->GetCurrentGraphical(), attack);
    ASSERT_GE(PassUntil([&] { return attack->IsAnimationFinished(); }, 300), 0);
    Passes(30);
    EXPECT_EQ(boss->GetCurrentGraphical(), attack);
}

TEST_F(MereMiniBoss, AShardDiesAfter300FramesAndTargetsLeftWhenItDiesBreakWithIt)
{
    ASSERT_EQ(targets.size(), 3u);
    Strike(targets[0], 1);
    ASSERT_EQ(Shards().size(), 1u);
    Projectile_MiniBoss_Snow* shard = Shards().front();
    // Hit, a shard only loses life; it is not removed by blows.
    Strike(shard, 10);
    EXPECT_FALSE(shard->IsDead());
    Passes(Projectile_MiniBoss_Snow::kLifetime - 1);
    EXPECT_FALSE(shard->IsDead());
    Pass();
    EXPECT_TRUE(shard->IsDead());
    // Killed another way (an area attack reaches it), its targets break.
    Strike(boss, NPC_MiniBoss_Snow::kLife);
    EXPECT_TRUE(boss->IsExploding());
    for (Projectile_MiniBoss_Snow* t : targets) {
        EXPECT_TRUE(t->IsDead());
        EXPECT_EQ(t->GetOwner(), nullptr);
    }
}

} // namespace
