#include "bosses/NPC_MiniBoss_Bibli.h"
#include "engine/render/GE_Shake.h"
#include "script/ScriptVar.h"

#include "tests/enemies/EnemyArena.h"

#include <gtest/gtest.h>

#include <cmath>

// The library's sliding bookcase in an arena of the level tool: its place,
// its chase of the player inside its zone (and 128 pixels above it), its
// speed rule, its bob, the halving of its speed by hits and its end.
namespace {

class MiniBossBibli : public EnemyArena {
protected:
    // The zone: 14 x 2 tiles from tile (10, 2), x 320 to 768 on the floor.
    NPC_MiniBoss_Bibli* Enter()
    {
        EnemyArena::Enter("place Zone_NPCSpawner_MiniBoss_Bibli miniboss_bibli 10 2 14x2\n");
        Pass();
        return First<NPC_MiniBoss_Bibli>();
    }
    // Puts the player on the floor at x.
    void PlayerAt(float x, float y = kFloor) { ThePlayer().SetPosition(Point<float>(x, y)); }
};

TEST_F(MiniBossBibli, ItStandsCentredOnTheZoneAndFollowsThePlayerOnlyWhileThePlayerIsWithinReach)
{
    NPC_MiniBoss_Bibli* boss = Enter();
    ASSERT_NE(boss, nullptr);
    EXPECT_EQ(boss->GetName(), "miniboss_bibli");
    EXPECT_EQ(boss->GetLife(), 20);
    ASSERT_EQ(boss->GetSize(), Point<int>(160, 96));
    // Centred on the zone's 448 pixels, at its floor; its reach is the zone
    // and 128 pixels above it.
    EXPECT_FLOAT_EQ(boss->GetPosition().x, 320.0f + (448.0f - 160.0f) * 0.5f);
    EXPECT_FLOAT_EQ(boss->GetPosition().y, kFloor);
    EXPECT_EQ(boss->zone, Rect<int>(320, 64 + 64 + 128, 768, 64));

    // Outside the reach it rests on the zone's middle: no move, no bob.
    PlayerAt(64.0f);
    Passes(5);
    EXPECT_FLOAT_EQ(boss->GetPosition().x, 464.0f);
    auto* bob = dynamic_cast<GE_Shake*>(boss->GetDrawingEffect());
    ASSERT_NE(bob, nullptr);
    EXPECT_FLOAT_EQ(bob->GetVelocity().y, 0.0f);

    // A player hanging 100 pixels above the zone is still within reach: the
    // bookcase heads for the player's top centre less its half width. Its
    // speed grows by at most 0.3 a frame up to 5.
    ThePlayer().SetPosition(Point<float>(640.0f, 64.0f + 64.0f + 100.0f));
    const float targetX = 640.0f + ThePlayer().GetSize().x * 0.5f - 80.0f;
    float last = 0.0f;
    for (int pass = 0; pass < 30; ++pass) {
        ThePlayer().SetPosition(Point<float>(640.0f, 64.0f + 64.0f + 100.0f));
        Pass();
        EXPECT_EQ(boss->GetTarget().x, static_cast<int>(targetX));
        EXPECT_LE(boss->GetSpeedValue() - last, 0.3f + 1e-4f);
        EXPECT_LE(boss->GetSpeedValue(), 5.0f);
        last = boss->GetSpeedValue();
        // Its height never changes.
        EXPECT_FLOAT_EQ(boss->GetPosition().y, kFloor);
    }
    EXPECT_GT(boss->GetPosition().x, 464.0f);
    // Once there, within 2 pixels, it stops.
    for (int pass = 0; pass < 200; ++pass) {
        ThePlayer().SetPosition(Point<float>(640.0f, 64.0f + 64.0f + 100.0f));
        Pass();
    }
    EXPECT_NEAR(boss->GetPosition().x, targetX, 2.0f);

    // Above the reach it goes back to the middle.
    for (int pass = 0; pass < 200; ++pass) {
        ThePlayer().SetPosition(Point<float>(640.0f, 64.0f + 64.0f + 240.0f));
        Pass();
    }
    EXPECT_NEAR(boss->GetPosition().x, 464.0f, 2.0f);
}

TEST_F(MiniBossBibli, ItRaisesDustEveryThirtyTwoPixelsAndBobsOnlyWhileItSlides)
{
    NPC_MiniBoss_Bibli* boss = Enter();
    ASSERT_NE(boss, nullptr);
    EXPECT_EQ(boss->GetDustMarkX(), 464);
    int marks = 0;
    int lastMark = boss->GetDustMarkX();
    float fastestBob = 0.0f;
    for (int pass = 0; pass < 60; ++pass) {
        PlayerAt(700.0f);
        Pass();
        if (boss->GetDustMarkX() != lastMark) {
            EXPECT_GE(std::abs(boss->GetDustMarkX() - lastMark), 31);
            lastMark = boss->GetDustMarkX();
            ++marks;
        }
        auto* bob = dynamic_cast<GE_Shake*>(boss->GetDrawingEffect());
        ASSERT_NE(bob, nullptr);
        fastestBob = std::max(fastestBob, std::fabs(bob->GetVelocity().y));
        EXPECT_LE(std::fabs(bob->GetVelocity().y), 2.5f);
    }
    EXPECT_GE(marks, 3);
    EXPECT_FLOAT_EQ(fastestBob, 2.5f);
}

TEST_F(MiniBossBibli, EveryHitHalvesItsSpeedAndTwentyDamageBlowItUpWithoutSlowMotion)
{
    Watched boss(Enter());
    ASSERT_NE(boss, nullptr);
    EnemyArena::Enter(
        "place Zone_NPCSpawner_MiniBoss_Bibli miniboss_bibli 10 2 14x2\n"
        "trigger watcher 1 2 1x1 {\n:OnStartup\nwaitEvent_WaitMessage miniboss_bibli_State_DIE\n"
        "CreateVar save died_l01 1\n}\n");
    Pass();
    boss = Watched(First<NPC_MiniBoss_Bibli>());
    ASSERT_NE(boss, nullptr);
    for (int pass = 0; pass < 12; ++pass) {
        PlayerAt(700.0f);
        Pass();
    }
    const float before = boss->GetSpeedValue();
    ASSERT_GT(before, 1.0f);
    boss->ApplyDamage(&ThePlayer(), 5);
    EXPECT_FLOAT_EQ(boss->GetSpeedValue(), before * 0.5f);
    EXPECT_EQ(boss->GetLife(), 15);
    // No attacker: a flash, no damage, no braking.
    boss->ApplyDamage(nullptr, 5);
    EXPECT_EQ(boss->GetLife(), 15);
    EXPECT_FLOAT_EQ(boss->GetSpeedValue(), before * 0.5f);
    boss->ApplyDamage(&ThePlayer(), 15);
    EXPECT_EQ(boss->GetLife(), 0);
    EXPECT_TRUE(boss->IsExploding());
    EXPECT_EQ(game.slowMotionBudget, 0);
    EXPECT_FALSE(boss->IsHitByBox(Rect<int>(0, 1000, 2000, 0), false));
    // The explosion runs its course; the pass then removes it and the script
    // waiting for its name goes on.
    for (int pass = 0; pass < 200 && Live(boss); ++pass)
        Pass();
    EXPECT_EQ(First<NPC_MiniBoss_Bibli>(), nullptr);
    Passes(2);
    ScriptVar* died = Game::FindSaveVar("died_l01");
    ASSERT_NE(died, nullptr);
    EXPECT_EQ(died->GetValue(), "1");
}

} // namespace

#include "tests/bosses/LibGardenArena.h"

namespace {

const ArenaKit kStacks {"l01", "miniboss_bibli", "miniboss_bibli_State_DIE",
    "NPC_MiniBoss_Bibli_GraphicalIdle", 27, "2 Cinematic_AbilityL Cinematic_AbilityR", true, 5};

class MiniBossBibliArena : public LibGardenArena { };

TEST_F(MiniBossBibliArena, TheArenaRunsFromTheWalkInToTheRewardAndAReloadFindsTheFightDone)
{
    BossArena::Enter(KitText(kStacks) + "place Zone_NPCSpawner_MiniBoss_Bibli miniboss_bibli 10 2 14x2\n");
    Pass();
    auto* boss = NamedAs<NPC_MiniBoss_Bibli>("miniboss_bibli");
    ASSERT_NE(boss, nullptr);
    WalkIn(kStacks);
    // It comes to meet the player by itself; the scythe takes it down.
    const int blows = BlowsToKill(boss, 4, 0.0f, 12);
    EXPECT_EQ(blows, 7) << "20 life at 3 a blow";
    EXPECT_TRUE(boss->IsExploding());
    FinishAndReload(kStacks, [&] { return Named("miniboss_bibli"); });
}

} // namespace
