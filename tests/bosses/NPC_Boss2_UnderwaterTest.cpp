#include "bosses/NPC_Boss2_Underwater.h"
#include "bosses/Projectile_Boss2_Underwater.h"
#include "engine/platform/Random.h"

#include "tests/bosses/BossArena.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

// The Egg Cradle's shell game in a small arena with three eggs: waits and
// bursts of shots, the wrong egg shown empty, the boss out of the marked
// one, the shared pool of 50 and its ranks, and every egg going up when it
// is empty.
namespace {

class CradleFight : public BossArena {
protected:
    void SetUp() override
    {
        BossArena::SetUp();
        if (IsSkipped())
            return;
        Enter("place Zone_NPCSpawner_Boss2_Underwater egg_a 8 2 4x4\n"
              "place Zone_NPCSpawner_Boss2_Underwater egg_b 14 2 4x4\n"
              "place Zone_NPCSpawner_Boss2_Underwater egg_c 20 2 4x4\n",
            2);
        eggs = All<NPC_Boss2_Underwater>();
        ASSERT_EQ(eggs.size(), 3u);
        Pass();
    }
    void TearDown() override
    {
        // The shared pool is a value of the class: left as it was found.
        NPC_Boss2_Underwater::SetPool(NPC_Boss2_Underwater::kPool);
        BossArena::TearDown();
    }
    NPC_Boss2_Underwater* Marked()
    {
        auto it
            = std::find_if(eggs.begin(), eggs.end(), [](NPC_Boss2_Underwater* e) { return e->IsMarked(); });
        return it == eggs.end() ? nullptr : *it;
    }
    NPC_Boss2_Underwater* Unmarked()
    {
        auto it
            = std::find_if(eggs.begin(), eggs.end(), [](NPC_Boss2_Underwater* e) { return !e->IsMarked(); });
        return it == eggs.end() ? nullptr : *it;
    }
    std::vector<NPC_Boss2_Underwater*> eggs;
};

TEST_F(CradleFight, EveryEggKeepsItsClassNameAndExactlyOneIsMarked)
{
    for (NPC_Boss2_Underwater* egg : eggs) {
        EXPECT_EQ(egg->GetName(), "NPC_Boss2_Underwater");
        EXPECT_TRUE(egg->leader) << "no egg is named \"NPC_Boss2_Underwater_0\"";
        EXPECT_EQ(egg->GetState(), NPC_Boss2_Underwater::kWaiting);
        EXPECT_EQ(egg->GetLife(), NPC_Boss2_Underwater::kEggLife);
    }
    EXPECT_EQ(
        std::count_if(eggs.begin(), eggs.end(), [](NPC_Boss2_Underwater* e) { return e->IsMarked(); }), 1);
    EXPECT_EQ(NPC_Boss2_Underwater::GetPool(), NPC_Boss2_Underwater::kPool);
    const struct {
        int pool, rank;
    } ranks[] = {{50, 1}, {31, 1}, {30, 2}, {16, 2}, {15, 3}, {1, 3}};
    for (const auto& r : ranks) {
        NPC_Boss2_Underwater::SetPool(r.pool);
        EXPECT_EQ(NPC_Boss2_Underwater::GetRank(), r.rank) << r.pool;
    }
    // Its draws are r = (draw - 1) / 2^32: a draw of 0 is the top of the
    // range, a draw of 1 its bottom. The wait is 30 x trunc(5r + 8); the
    // marked egg trunc(3r), never none (r is no float that rounds up to 1).
    const struct {
        uint32_t draw;
        int wait;
        size_t marked;
    } draws[]
        = {{0u, 360, 2}, {0xFFFFFFFFu, 360, 2}, {1u, 240, 0}, {0x55555556u, 270, 0}, {0x55555557u, 270, 1}};
    for (const auto& d : draws) {
        {
            const platform::ScopedRandomValues values({d.draw});
            eggs[0]->DrawWait();
        }
        EXPECT_EQ(eggs[0]->GetFrameCounter(), d.wait) << d.draw;
        {
            const platform::ScopedRandomValues values({d.draw});
            NPC_Boss2_Underwater::MarkRandomEgg();
        }
        EXPECT_EQ(Marked(), eggs[d.marked]) << d.draw;
    }
}

TEST_F(CradleFight, AStartedEggWaitsThenFiresItsBurstEveryFourFramesFromEightOn)
{
    NPC_Boss2_Underwater* egg = eggs[0];
    EXPECT_TRUE(Send("NPC_Boss2_Underwater", "start"));
    EXPECT_EQ(egg->GetState(), NPC_Boss2_Underwater::kClosed);
    EXPECT_EQ(egg->GetFrameCounter() % 30, 0);
    EXPECT_GE(egg->GetFrameCounter(), 240);
    EXPECT_LE(egg->GetFrameCounter(), 360);
    // The others keep waiting: a known wait for this one.
    for (NPC_Boss2_Underwater* other : eggs)
        other->SetFrameCounter(other == egg ? 3 : 1000);
    Passes(3);
    const int burst = egg->GetBurstSize();
    EXPECT_GE(burst, 3);
    EXPECT_LE(burst, 6);
    EXPECT_EQ(egg->GetCurrentGraphical(), egg->Look("EggAttack"));
    Passes(7);
    EXPECT_EQ(CountOf("Projectile_Boss2_UnderwaterV0"), 0);
    Pass(); // counter -8: the first shot
    EXPECT_EQ(CountOf("Projectile_Boss2_UnderwaterV0"), 1);
    auto* shot = First<Projectile_Boss2_Underwater>();
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(shot->GetKind(), 0) << "rank 1";
    Passes(4 * (burst - 1));
    EXPECT_EQ(CountOf("Projectile_Boss2_UnderwaterV0"), burst);
    EXPECT_EQ(egg->GetShotsLeft(), 0);
    // A kind-0 shot bursts on any area hit; the scythe's box never strikes it.
    EXPECT_FALSE(shot->IsHitByBox(Rect<int>(-10000, 10000, 10000, -10000), false));
    shot->ReceiveHit(&ThePlayer(), 1, 1.0f);
    EXPECT_TRUE(shot->IsDead());
}

TEST_F(CradleFight, TheWrongEggShowsEmptyTheMarkedOneOpensOnTheBossAndEmptyingThePoolEndsIt)
{
    MessageCounter* died = Await("NPC_Boss2_Underwater_State_DIE");
    // The arena's one start reaches every egg.
    for (NPC_Boss2_Underwater* egg : eggs) {
        EXPECT_TRUE(egg->HandleScriptCommand("Start", ""));
        egg->SetFrameCounter(100000);
    }
    NPC_Boss2_Underwater* wrong = Unmarked();
    NPC_Boss2_Underwater* marked = Marked();
    ASSERT_NE(wrong, nullptr);
    ASSERT_NE(marked, nullptr);
    // Closed eggs lose only their own life.
    Strike(wrong, NPC_Boss2_Underwater::kEggLife - 1);
    EXPECT_EQ(wrong->GetLife(), 1);
    Strike(wrong, 5);
    EXPECT_EQ(wrong->GetCurrentGraphical(), wrong->Look("EggOpen"));
    EXPECT_EQ(wrong->GetLife(), NPC_Boss2_Underwater::kEggLife);
    EXPECT_EQ(NPC_Boss2_Underwater::GetPool(), NPC_Boss2_Underwater::kPool);
    // The marked egg opens on the boss, turned toward the player (west).
    Strike(marked, NPC_Boss2_Underwater::kEggLife);
    EXPECT_EQ(marked->GetState(), NPC_Boss2_Underwater::kBossOut);
    EXPECT_EQ(marked->GetCurrentGraphical(), marked->Look("BossIdleL"));
    EXPECT_GE(marked->GetAttackTimer(), 60);
    EXPECT_LE(marked->GetAttackTimer(), 149);
    // Out, every hit costs the pool one, whatever its amount.
    Strike(marked, 7);
    EXPECT_EQ(NPC_Boss2_Underwater::GetPool(), NPC_Boss2_Underwater::kPool - 1);
    // It attacks when its timer runs out; once that has played, the open
    // egg closes and an egg is marked anew.
    ASSERT_GE(
        PassUntil([&] { return marked->GetCurrentGraphical() == marked->Look("BossAttackL"); }, 160), 0);
    ASSERT_GE(PassUntil([&] { return marked->GetState() == NPC_Boss2_Underwater::kClosed; }, 60), 0);
    EXPECT_EQ(wrong->GetCurrentGraphical(), wrong->Look("EggClose"));
    EXPECT_EQ(
        std::count_if(eggs.begin(), eggs.end(), [](NPC_Boss2_Underwater* e) { return e->IsMarked(); }), 1);

    // The pool down to 1 (rank 3), then the last hit: every egg explodes.
    NPC_Boss2_Underwater* next = Marked();
    Strike(next, NPC_Boss2_Underwater::kEggLife);
    ASSERT_EQ(next->GetState(), NPC_Boss2_Underwater::kBossOut);
    NPC_Boss2_Underwater::SetPool(1);
    Strike(next, 1);
    for (NPC_Boss2_Underwater* egg : eggs)
        EXPECT_TRUE(egg->IsExploding());
    EXPECT_GE(PassUntil([&] { return died->Count() > 0; }, 400), 0);
}

} // namespace
