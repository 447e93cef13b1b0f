#include "bosses/NPC_Boss_Cave.h"
#include "bosses/Projectile_Boss_Cave.h"
#include "engine/platform/Random.h"

#include "tests/bosses/BossArena.h"
#include "tests/bosses/SoundsHeard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The cave boss in an arena: three heads and their manager placed by their
// spawners in any order, the bob, the bursts of insects sized by the heads
// left, the insects' flight, and the end of the fight when the last head
// dies.
namespace {

class BossCave : public BossArena {
protected:
    // Heads high on the right, out of the player's way; the manager placed
    // between them, so the link is made from both sides.
    void EnterHollow()
    {
        Enter("place Zone_NPCSpawner_Boss_Cave a 20 8 2x2 HeadRole=0\n"
              "place Zone_NPCSpawner_Boss_Cave m 26 10 2x2 HeadRole=2\n"
              "place Zone_NPCSpawner_Boss_Cave b 24 8 2x2 HeadRole=1\n"
              "place Zone_NPCSpawner_Boss_Cave c 28 8 2x2 HeadRole=0\n");
    }
    NPC_Boss_Cave* Head(int n) { return NamedAs<NPC_Boss_Cave>("NPC_Boss_Cave__HEAD" + std::to_string(n)); }
    NPC_Boss_Cave* Manager() { return NamedAs<NPC_Boss_Cave>(NPC_Boss_Cave::kManagerName); }
    // Kills every insect in flight by a hit each.
    void SwatInsects()
    {
        for (Projectile_Boss_Cave* insect : All<Projectile_Boss_Cave>())
            Strike(insect, 1);
    }
};

TEST_F(BossCave, TheSpawnersNameTheHeadsAndLinkThemToTheManagerInAnyOrder)
{
    EnterHollow();
    for (int load = 0; load < 2; ++load) {
        Pass();
        ASSERT_EQ(All<NPC_Boss_Cave>().size(), 4u);
        NPC_Boss_Cave* manager = Manager();
        ASSERT_NE(manager, nullptr);
        EXPECT_EQ(manager->GetLife(), 3);
        EXPECT_TRUE(manager->IsManager());
        for (int n = 1; n <= 3; ++n) {
            ASSERT_NE(Head(n), nullptr) << n;
            EXPECT_EQ(Head(n)->GetOwner(), manager) << n;
            EXPECT_EQ(Head(n)->GetLife(), 40);
        }
        EXPECT_LT(Head(2)->GetDirection().x, 0.0f);
        EXPECT_EQ(manager->GetCurrentGraphical(), nullptr);
        Reload();
    }
}

TEST_F(BossCave, AHeadBobsOnePixelEveryFifthFrameBetweenThreeAndMinusThree)
{
    EnterHollow();
    NPC_Boss_Cave* head = Head(1);
    ASSERT_NE(head, nullptr);
    std::vector<int> offsets;
    for (int frame = 0; frame < 60; ++frame) {
        Pass();
        if (frame % 5 == 0)
            offsets.push_back(head->GetDrawOffset().y);
    }
    const std::vector<int> expected = {2, 1, 0, -1, -2, -3, -2, -1, 0, 1, 2, 3};
    EXPECT_EQ(offsets, expected);
}

TEST_F(BossCave, BurstsStartOnlyAfterStartAndGrowAsHeadsDie)
{
    platform::ScopedRandomValues angles(std::vector<uint32_t>(64, 0x40000000u));
    SoundsHeard sounds;
    EnterHollow();
    MessageCounter* over = Await(NPC_Boss_Cave::kFightOver);
    Passes(200);
    EXPECT_TRUE(All<Projectile_Boss_Cave>().empty());
    EXPECT_EQ(Head(1)->GetInsectsAlive(), -1);

    // The heads answer with the base's answer: "start" is not one of its
    // words, yet it starts them.
    EXPECT_FALSE(Send(NPC_Boss_Cave::kManagerName, "start"));
    Pass();
    // 150 frames of pause, then one insect every fifth frame: 2 per head.
    EXPECT_EQ(Head(1)->GetBurstLeft(), 2);
    const int first = PassUntil([&] { return !All<Projectile_Boss_Cave>().empty(); }, 200);
    EXPECT_EQ(first, 151);
    EXPECT_TRUE(sounds.Heard("NPC_Boss_Cave_Insects")) << "a swarm leaves the mouth";
    Passes(10);
    EXPECT_EQ(All<Projectile_Boss_Cave>().size(), 6u);
    EXPECT_EQ(Head(1)->GetInsectsAlive(), 2);

    // The insect flies out toward its point (angle a quarter turn: above the
    // head's throw point), then homes on the player.
    Projectile_Boss_Cave* insect = All<Projectile_Boss_Cave>().front();
    EXPECT_EQ(insect->GetState(), Projectile_Boss_Cave::kFlyingOut);
    EXPECT_GT(PassUntil([&] { return insect->GetState() == Projectile_Boss_Cave::kHoming; }, 120), 0);

    // One head down: its insects are orphaned and the manager counts 2
    // heads. Below half life a head shows its middle look.
    const Watched third(Head(3));
    Strike(third, 20);
    EXPECT_EQ(third->GetLife(), 20);
    Pass();
    GraphicalObject* full = third->GetCurrentGraphical();
    Strike(third, 1);
    Pass();
    EXPECT_NE(third->GetCurrentGraphical(), full);
    Strike(third, 19);
    EXPECT_TRUE(third->IsExploding());
    EXPECT_EQ(Manager()->GetLife(), 2);
    int orphans = 0;
    for (Projectile_Boss_Cave* flying : All<Projectile_Boss_Cave>())
        orphans += flying->GetOwner() == nullptr ? 1 : 0;
    EXPECT_EQ(orphans, 2);

    // Swatted, the insects shake 15 frames, burst and leave; the heads wait
    // 150 frames and throw bursts of 3.
    SwatInsects();
    EXPECT_EQ(insect->GetState(), Projectile_Boss_Cave::kHit);
    EXPECT_TRUE(sounds.Heard("NPC_Boss_Cave_Plant_Die"));
    EXPECT_FALSE(sounds.Heard("NPC_Boss_Cave_KillInsect"));
    EXPECT_GT(PassUntil([&] { return All<Projectile_Boss_Cave>().empty(); }, 120), 15);
    EXPECT_TRUE(sounds.Heard("NPC_Boss_Cave_KillInsect")) << "the burst";
    EXPECT_EQ(Head(1)->GetInsectsAlive(), 0);
    EXPECT_EQ(Head(1)->GetBurstTimer(), 150);
    EXPECT_EQ(Head(1)->GetBurstLeft(), 3);
    EXPECT_GT(PassUntil([&] { return !Live(third); }, 200), 0);

    // Two down: bursts of 5.
    Strike(Head(2), 40);
    EXPECT_EQ(Manager()->GetLife(), 1);
    Passes(170);
    SwatInsects();
    EXPECT_GT(PassUntil([&] { return Head(1)->GetBurstLeft() == 5; }, 300), 0);
    EXPECT_EQ(over->Count(), 0);

    // The last head: the manager kills every insect, slows the game and
    // announces the end once.
    Passes(170);
    EXPECT_FALSE(All<Projectile_Boss_Cave>().empty());
    const Watched manager(Manager());
    Strike(Head(1), 40);
    Strike(Head(1), 40);
    EXPECT_TRUE(manager->IsDead());
    EXPECT_EQ(game.slowMotionSteps, 15);
    // The slow motion holds the world two frames; the next update removes
    // the insects and the manager.
    Passes(2);
    EXPECT_FALSE(All<Projectile_Boss_Cave>().empty());
    Pass();
    EXPECT_EQ(over->Count(), 1);
    EXPECT_TRUE(All<Projectile_Boss_Cave>().empty());
    EXPECT_FALSE(Live(manager));
    EXPECT_GT(PassUntil([&] { return All<NPC_Boss_Cave>().empty(); }, 300), 0);
    EXPECT_EQ(over->Count(), 1);
}

TEST_F(BossCave, ADisabledHeadLosesItsLifeAndALoneHeadIsAFullEnemy)
{
    Enter("place Zone_NPCSpawner_Boss_Cave a 20 8 2x2 HeadRole=1\n");
    Watched head(Head(1));
    ASSERT_NE(head, nullptr);
    EXPECT_EQ(head->GetOwner(), nullptr);
    MessageCounter* over = Await(NPC_Boss_Cave::kFightOver);
    Send("NPC_Boss_Cave__HEAD1", "start");
    EXPECT_GT(PassUntil([&] { return head->GetBurstLeft() == 3; }, 5), -1);
    Strike(head, 40);
    EXPECT_GT(PassUntil([&] { return !Live(head); }, 300), 0);
    Pass();
    EXPECT_EQ(over->Count(), 0);

    Reload();
    head = Watched(Head(1));
    ASSERT_TRUE(Send("NPC_Boss_Cave__HEAD1", "DISABLE"));
    Pass();
    EXPECT_EQ(head->GetLife(), 0);
    EXPECT_EQ(head->GetCurrentGraphical(), nullptr);
    ASSERT_TRUE(Send("NPC_Boss_Cave__HEAD1", "enable"));
    Pass();
    EXPECT_EQ(head->GetLife(), 0);
}

} // namespace
