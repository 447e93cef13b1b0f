#include "bosses/NPC_Boss_Final.h"
#include "bosses/BossFrame.h"

#include "bosses/Projectile_Boss_Final.h"
#include "enemies/EnemyFramework.h"
#include "enemies/NPC_FloatingSkull.h"

#include "tests/bosses/BossArena.h"

#include <gtest/gtest.h>

#include <cmath>

// The final boss in a flat arena: hidden until "start", its fade-in, sweep,
// ring of eyes, ground shots, phases at their life thresholds with their
// bursts of heads, the ghost cycle of its last phase and an end that waits
// for every skull of its heads.
namespace {

class FinalBoss : public BossArena {
protected:
    NPC_Boss_Final* Start()
    {
        Enter("place Zone_NPCSpawner_Boss_Final boss 1 4\n", 12);
        boss = Watched(NamedAs<NPC_Boss_Final>("boss"));
        EXPECT_NE(boss, nullptr);
        // The fight's timings are measured, not the player's survival.
        ThePlayer().SetInvulnerableFrames(1 << 20);
        return boss;
    }
    // Passes until the fade-in is over and the ring has risen.
    void PastTheFadeIn()
    {
        ASSERT_TRUE(Send("boss", "start"));
        ASSERT_GE(PassUntil([&] { return boss->GetRing().size() == 8u; }, 200), 0);
    }
    void KillTheRing()
    {
        while (!boss->GetRing().empty())
            Strike(boss->GetRing().front(), 5);
    }
    // The head skulls made so far.
    int Skulls() { return static_cast<int>(Boss::FindAll(Projectile_Boss_Final::kSkullName).size()); }

    Watched<NPC_Boss_Final> boss;
};

TEST_F(FinalBoss, ThePoolGrowsOnlyWhenEveryProjectileIsInUseAndStopsAtItsBound)
{
    ASSERT_NE(Start(), nullptr);
    ProjectilePool<Projectile_Boss_Final>& pool = boss->GetPool();
    std::vector<Projectile_Boss_Final*> taken;
    for (int i = 0; i < NPC_Boss_Final::kPoolSize; ++i)
        taken.push_back(boss->AcquireProjectile());
    EXPECT_EQ(pool.Size(), size_t(NPC_Boss_Final::kPoolSize)) << "the first 30 come from the pool";
    // All in use: a new one is made, enabled, and joins the pool.
    Projectile_Boss_Final* grown = boss->AcquireProjectile();
    ASSERT_NE(grown, nullptr);
    EXPECT_TRUE(grown->IsEnabled());
    EXPECT_EQ(pool.Size(), size_t(NPC_Boss_Final::kPoolSize) + 1);
    EXPECT_EQ(pool.Get(NPC_Boss_Final::kPoolSize), grown);
    EXPECT_EQ(CountOf("Projectile_Boss_FinalV0"), NPC_Boss_Final::kPoolSize + 1) << "a live character";
    // One back in the pool is taken again before any other is made.
    taken[3]->SetEnabled(false);
    EXPECT_EQ(boss->AcquireProjectile(), taken[3]);
    EXPECT_EQ(pool.Size(), size_t(NPC_Boss_Final::kPoolSize) + 1);
    // Up to its bound, and no further.
    while (pool.Size() < size_t(NPC_Boss_Final::kPoolLimit))
        ASSERT_NE(boss->AcquireProjectile(), nullptr);
    EXPECT_EQ(boss->AcquireProjectile(), nullptr);
    EXPECT_EQ(pool.Size(), size_t(NPC_Boss_Final::kPoolLimit));
    pool.ReleaseAll();
}

TEST_F(FinalBoss, HiddenAndStillUntilStartThenItFadesInAndRaisesItsRing)
{
    ASSERT_NE(Start(), nullptr);
    EXPECT_EQ(boss->GetPool().Size(), 30u);
    EXPECT_EQ(boss->GetPool().InPlay(), 0);
    Passes(30);
    EXPECT_EQ(boss->GetCurrentGraphical(), nullptr);
    EXPECT_EQ(boss->GetState(), NPC_Boss_Final::kWaiting);
    EXPECT_FLOAT_EQ(boss->GetPosition().x, boss->GetHomePosition().x + 384.0f);
    // Other commands are not its own; "disable" does nothing either.
    EXPECT_FALSE(Send("boss", "disable"));
    EXPECT_TRUE(boss->IsEnabled());
    ASSERT_TRUE(Send("boss", "START"));
    EXPECT_EQ(boss->GetState(), NPC_Boss_Final::kPhase1);
    EXPECT_EQ(boss->GetCurrentGraphical(), boss->GetPhaseSprite(1));
    EXPECT_TRUE(Send("boss", "start"));
    EXPECT_EQ(boss->GetState(), NPC_Boss_Final::kPhase1);
    // No sweep and no ring while it fades in (120 frames).
    const int frames = PassUntil([&] { return !boss->GetRing().empty(); }, 200);
    EXPECT_EQ(frames, 120);
    EXPECT_FLOAT_EQ(boss->GetPosition().x, boss->GetHomePosition().x + 384.0f + 4.0f * 1.056f);
    EXPECT_EQ(boss->GetPool().InPlay(), 8);
    // The eyes fly out to 128 pixels, then orbit once in 90 frames.
    Projectile_Boss_Final* eye = boss->GetRing()[2];
    ASSERT_GE(PassUntil([&] { return !eye->IsExpanding(); }, 100), 0);
    const Point<float> offset = eye->GetOffset();
    EXPECT_NEAR(std::hypot(offset.x, offset.y), 128.0f, 1.0f);
    Passes(90);
    EXPECT_NEAR(eye->GetOffset().x, offset.x, 1.0f);
    EXPECT_NEAR(eye->GetOffset().y, offset.y, 1.0f);
    // The pool was made before the boss joined the live list: its eyes move
    // before it, around where it stood at the start of the frame.
    const float centre = boss->GetPreviousPosition().x + boss->GetSize().x / 2;
    EXPECT_NEAR(eye->GetPosition().x, centre + eye->GetOffset().x, 0.01f);
}

TEST_F(FinalBoss, ItSweepsItsSpanAndShootsAlongTheGroundTowardThePlayer)
{
    ASSERT_NE(Start(), nullptr);
    PastTheFadeIn();
    // Its sweep turns 16 pixels inside the right end after bulging past it.
    float furthest = 0.0f;
    ASSERT_GE(PassUntil(
                  [&] {
                      furthest = std::max(furthest, boss->GetPosition().x - boss->GetHomePosition().x);
                      return boss->GetDirection().x < 0.0f;
                  },
                  200),
        0);
    EXPECT_NEAR(furthest, 752.0f + 16.0f, 0.5f);
    // Half a pixel past the left margin it still sweeps on (the float
    // distance decides, not its whole pixels).
    const float home = static_cast<float>(boss->GetHomePosition().x);
    boss->SetPosition(Point<float>(home + 16.5f, boss->GetPosition().y));
    boss->SetDirection(Point<float>(-1.0f, 0.0f));
    Pass();
    EXPECT_NEAR(boss->GetPosition().x - home, 16.5f - 4.0f * 1.056f, 0.01f);
    // The first ground shot comes 300 frames into the fight, on the floor
    // line below its base, toward the player.
    const int left = boss->GetShotTimer();
    Passes(left - 1);
    EXPECT_EQ(boss->GetPool().InPlay(), 8);
    Pass();
    ASSERT_EQ(boss->GetPool().InPlay(), 9);
    Projectile_Boss_Final* shot = boss->GetPool().Get(8);
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(shot->GetState(), Projectile_Boss_Final::kSliding);
    EXPECT_FLOAT_EQ(shot->GetPosition().y, boss->GetHomePosition().y - 64.0f);
    const bool right = shot->GetCenter().x < ThePlayer().GetCenter().x;
    EXPECT_EQ(shot->GetDirection().x, right ? 1.0f : -1.0f);
    EXPECT_GE(boss->GetShotTimer(), 300);
    EXPECT_LT(boss->GetShotTimer(), 600);
    // It bursts under the player and returns to the pool once its fade ends.
    ASSERT_GE(PassUntil([&] { return shot->GetState() == Projectile_Boss_Final::kLanded; }, 400), 0);
    EXPECT_GE(PassUntil([&] { return !shot->IsEnabled(); }, 60), 1);
}

TEST_F(FinalBoss, TheRingShieldsItFromAreaAttacksAndRisesAgain300FramesAfterItsLastEye)
{
    ASSERT_NE(Start(), nullptr);
    PastTheFadeIn();
    boss->ReceiveHit(&ThePlayer(), Enemy::kIceHit, 10.0f);
    EXPECT_EQ(boss->GetLife(), 200);
    for (Projectile_Boss_Final* eye : boss->GetRing())
        EXPECT_EQ(eye->GetCurrentGraphical(), eye->GetEyeSprite(Enemy::kIceHit));
    // Any other kind keeps each eye's look and starts it over.
    Projectile_Boss_Final* first = boss->GetRing().front();
    ASSERT_GE(PassUntil([&] { return first->GetCurrentGraphical()->GetAnimationFrame() != 0; }, 30), 1);
    GraphicalObject* look = first->GetCurrentGraphical();
    boss->ReceiveHit(&ThePlayer(), 0, 10.0f);
    EXPECT_EQ(first->GetCurrentGraphical(), look);
    EXPECT_EQ(look->GetAnimationFrame(), 0);
    KillTheRing();
    EXPECT_EQ(boss->GetPool().InPlay(), 0);
    boss->ReceiveHit(&ThePlayer(), Enemy::kFireHit, 10.0f);
    EXPECT_EQ(boss->GetLife(), 190);
    EXPECT_EQ(PassUntil([&] { return !boss->GetRing().empty(); }, 400), 300);
    // A head at its point puts itself back in the pool, keeping its look
    // for this frame's drawing; its next update clears it.
    Projectile_Boss_Final* head = boss->AcquireProjectile();
    ASSERT_NE(head, nullptr);
    head->SetMode(Projectile_Boss_Final::kModeHead);
    head->SetTarget(head->GetCenter().ToInt());
    Pass();
    EXPECT_FALSE(head->IsEnabled());
    EXPECT_NE(head->GetCurrentGraphical(), nullptr);
    Pass();
    EXPECT_EQ(head->GetCurrentGraphical(), nullptr);
}

TEST_F(FinalBoss, PhasesChangeAtTheirThresholdsOneAtATimeEachWithItsBurstOfHeads)
{
    ASSERT_NE(Start(), nullptr);
    PastTheFadeIn();
    KillTheRing();
    MessageCounter* first = Await("boss_State_1");
    MessageCounter* second = Await("boss_State_2");
    Strike(boss, 59);
    EXPECT_EQ(boss->GetState(), NPC_Boss_Final::kPhase1);
    // From 141 straight below 80: the second phase only.
    Strike(boss, 62);
    EXPECT_EQ(boss->GetState(), NPC_Boss_Final::kPhase2);
    EXPECT_EQ(boss->GetCurrentGraphical(), boss->GetPhaseSprite(2));
    EXPECT_EQ(boss->GetBurstCount(), 3);
    Pass();
    EXPECT_EQ(first->Count(), 1);
    EXPECT_EQ(second->Count(), 0);
    // Three heads, one every five frames, each a skull at its point.
    Passes(15);
    EXPECT_EQ(boss->GetBurstCount(), 0);
    EXPECT_GE(PassUntil([&] { return Skulls() == 3; }, 200), 0);
    for (CharacterObject* skull : Boss::FindAll(Projectile_Boss_Final::kSkullName))
        EXPECT_EQ(dynamic_cast<NPC_FloatingSkull*>(skull)->GetKind(), 6);
    Passes(64);
    EXPECT_EQ(boss->GetBobAmplitude(), 64);
    Strike(boss, 1);
    EXPECT_EQ(boss->GetState(), NPC_Boss_Final::kPhase3);
    EXPECT_EQ(boss->GetBurstCount(), 6);
    Pass();
    EXPECT_EQ(second->Count(), 1);
}

TEST_F(FinalBoss, InItsLastPhaseItTurnsToAGhostThatBlowsMissFor105Of420Frames)
{
    ASSERT_NE(Start(), nullptr);
    PastTheFadeIn();
    KillTheRing();
    Strike(boss, 60);
    Strike(boss, 60);
    ASSERT_EQ(boss->GetState(), NPC_Boss_Final::kPhase3);
    const Rect<int> everywhere(-10000, 10000, 10000, -10000);
    int ghosted = 0;
    for (int pass = 0; pass < 420; ++pass) {
        Pass();
        ghosted += boss->IsGhosted() ? 1 : 0;
        if (boss->IsGhosted()) {
            EXPECT_FALSE(boss->IsHitByBox(everywhere, false));
        }
    }
    EXPECT_EQ(ghosted, 105);
    EXPECT_FALSE(boss->IsGhosted());
    EXPECT_TRUE(boss->IsHitByBox(everywhere, false));
}

TEST_F(FinalBoss, ItLeavesOnlyOnceEveryHeadSkullIsGoneAndThenTellsTheArena)
{
    ASSERT_NE(Start(), nullptr);
    PastTheFadeIn();
    KillTheRing();
    MessageCounter* over = Await("boss_State_3");
    MessageCounter* died = Await("boss_State_DIE");
    Strike(boss, 200);
    EXPECT_EQ(boss->GetState(), NPC_Boss_Final::kDying);
    EXPECT_EQ(boss->GetBurstCount(), 15);
    Pass();
    EXPECT_EQ(over->Count(), 1);
    // Fifteen heads, then the skulls they became keep it in the level.
    ASSERT_GE(PassUntil([&] { return Skulls() == 15; }, 300), 0);
    Passes(200);
    EXPECT_TRUE(Live(boss));
    EXPECT_EQ(boss->GetCurrentGraphical(), nullptr);
    for (CharacterObject* skull : Boss::FindAll(Projectile_Boss_Final::kSkullName))
        skull->SetDead(true);
    EXPECT_GE(PassUntil([&] { return !Live(boss); }, 100), 1);
    EXPECT_EQ(died->Count(), 1);
}

} // namespace
