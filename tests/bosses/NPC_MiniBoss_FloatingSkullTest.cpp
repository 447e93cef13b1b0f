#include "bosses/NPC_MiniBoss_FloatingSkull.h"
#include "bosses/BossFrame.h"
#include "enemies/EnemyFramework.h"
#include "engine/platform/Random.h"

#include "tests/bosses/CemeteryWorld.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

// The skull mini-boss leads its swarm in a small arena, then in the Ossuary's
// own arena its death opens the reward alcove and the double jump is taken.
namespace {

using MiniBossSkull = BossArena;

TEST_F(MiniBossSkull, ItLeadsItsSwarmInsideItsOwnBoxAndMovesTheWanderersAlong)
{
    Enter("place Zone_NPCSpawner_MiniBoss_FloatingSkull skull 8 5 12x6 ChildCount=3\n");
    auto* boss = NamedAs<NPC_MiniBoss_FloatingSkull>("skull");
    ASSERT_NE(boss, nullptr);
    // The swarm comes with its first update.
    EXPECT_TRUE(boss->GetChildren().empty());
    Pass();
    // A larger, slower skull with a longer reach than the plain one.
    EXPECT_EQ(boss->GetLife(), 30);
    EXPECT_DOUBLE_EQ(boss->GetTriggerDistanceSq(), 52900.0 * 2.5);
    EXPECT_FLOAT_EQ(boss->GetWanderMaxSpeed(), 1.0f);
    EXPECT_FLOAT_EQ(boss->GetChaseMaxSpeed(), 2.0f);
    EXPECT_EQ(boss->GetSize(), Point<int>(96, 96));
    // Both draw flags: the front pass draws it, in list order, so under its
    // swarm, which comes after it.
    EXPECT_TRUE(boss->IsDrawnFlagged());
    EXPECT_TRUE(boss->IsDrawnInFront());
    ASSERT_EQ(boss->GetChildren().size(), 3u);
    for (NPC_FloatingSkull* child : boss->GetChildren()) {
        EXPECT_EQ(child->GetOwner(), boss);
        const Point<int> at = boss->GetPosition().ToInt();
        EXPECT_EQ(child->roamingRect, Rect<int>(at.x, at.y + 96, at.x + 96, at.y));
    }
    // Far from the player it wanders: a wandering child's destination moves
    // with the boss, frame by frame.
    ThePlayer().SetPosition(Point<float>(20.0f, kFloor));
    for (int pass = 0; pass < 20; ++pass) {
        NPC_FloatingSkull* child = boss->GetChildren().front();
        const Point<int> before = boss->GetPosition().ToInt();
        const Point<int> goal = child->GetDestination();
        const bool wandering = child->GetState() == NPC_FloatingSkull::kWander;
        boss->Update(Boss::kFrameStep);
        if (wandering && child->GetState() == NPC_FloatingSkull::kWander) {
            EXPECT_EQ(child->GetDestination(), goal + (boss->GetPosition().ToInt() - before));
        }
        const Point<int> at = boss->GetPosition().ToInt();
        EXPECT_EQ(child->roamingRect, Rect<int>(at.x, at.y + 96, at.x + 96, at.y));
    }
}

TEST_F(MiniBossSkull, BlowsSpeedItsKnockBackAndTheLastOneFreesTheSwarmAndTellsTheArena)
{
    Enter("place Zone_NPCSpawner_MiniBoss_FloatingSkull skull 8 5 12x6 ChildCount=2\n");
    const Watched boss(NamedAs<NPC_MiniBoss_FloatingSkull>("skull"));
    ASSERT_NE(boss, nullptr);
    Pass();
    ASSERT_EQ(boss->GetChildren().size(), 2u);
    MessageCounter* died = Await(NPC_MiniBoss_FloatingSkull::kDeathMessage);
    MessageCounter* removed = Await("skull_State_DIE");
    // The base knock-back (chase speed x 4) times 1.5.
    Strike(boss, 1);
    EXPECT_EQ(boss->GetState(), NPC_FloatingSkull::kKnockedBack);
    EXPECT_FLOAT_EQ(boss->GetSpeedValue(), 2.0f * 4.0f * 1.5f);
    EXPECT_EQ(boss->GetLife(), 29);
    // A child killed first leaves the swarm.
    const Watched first(boss->GetChildren().front());
    const Watched second(boss->GetChildren().back());
    first->SetDead(true);
    Pass();
    EXPECT_FALSE(Live(first));
    ASSERT_EQ(boss->GetChildren().size(), 1u);
    // The lethal blow explodes it; it leaves once the explosion has run.
    Strike(boss, 29);
    EXPECT_TRUE(boss->IsExploding());
    EXPECT_FALSE(boss->IsDead());
    Pass();
    EXPECT_TRUE(Live(boss));
    EXPECT_GT(PassUntil([&] { return !Live(boss); }, 200), 0);
    // Its death is told as every character's, by its name, and as its own,
    // whatever its name.
    EXPECT_EQ(removed->Count(), 1);
    EXPECT_EQ(died->Count(), 1);
    ASSERT_TRUE(Live(second));
    EXPECT_EQ(second->GetOwner(), nullptr);
}

// A blow on its explosion, eight updates in, changes nothing: the explosion
// runs its whole length and it dies at its end, as with no blow.
TEST_F(MiniBossSkull, ABlowOnItsExplosionChangesNothing)
{
    const struct {
        const char* blow;
        std::function<void(NPC_MiniBoss_FloatingSkull&)> strike;
    } rows[] = {
        {"none", [](NPC_MiniBoss_FloatingSkull&) {}},
        {"area",
            [this](
                NPC_MiniBoss_FloatingSkull& boss) { boss.ReceiveHit(&ThePlayer(), Enemy::kIceHit, 1.0f); }},
        {"near", [this](NPC_MiniBoss_FloatingSkull& boss) { Strike(&boss, 1); }},
    };
    Enter("place Zone_NPCSpawner_MiniBoss_FloatingSkull skull 8 5 12x6 ChildCount=0\n");
    int whole = -1;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.blow);
        Reload();
        const Watched boss(NamedAs<NPC_MiniBoss_FloatingSkull>("skull"));
        ASSERT_NE(boss, nullptr);
        Pass();
        Strike(boss, boss->GetLife());
        ASSERT_TRUE(boss->IsExploding());
        int passes = 0;
        int phase = -1;
        for (; passes < 200 && Live(boss); ++passes) {
            if (passes == 8) {
                row.strike(*boss);
                EXPECT_FALSE(boss->IsDead());
            }
            phase = boss->GetExplosionPhase();
            Pass();
        }
        // It was last seen in the explosion's second stage.
        EXPECT_EQ(phase, 2);
        if (whole < 0)
            whole = passes;
        EXPECT_EQ(passes, whole);
    }
    EXPECT_GT(whole, 8);
}

TEST_F(MiniBossSkull, NoSwarmWithoutChildrenAndADisabledOneStaysInert)
{
    Enter("place Zone_NPCSpawner_MiniBoss_FloatingSkull alone 8 5 12x6 ChildCount=0\n"
          "place Zone_NPCSpawner_MiniBoss_FloatingSkull idle 20 5 6x6 ChildCount=2\n");
    auto* alone = NamedAs<NPC_MiniBoss_FloatingSkull>("alone");
    auto* idle = NamedAs<NPC_MiniBoss_FloatingSkull>("idle");
    ASSERT_NE(alone, nullptr);
    ASSERT_NE(idle, nullptr);
    EXPECT_TRUE(alone->GetChildren().empty());
    Reload();
    idle = NamedAs<NPC_MiniBoss_FloatingSkull>("idle");
    ASSERT_NE(idle, nullptr);
    EXPECT_TRUE(Send("idle", "disable"));
    const Point<float> at = idle->GetPosition();
    Passes(10);
    EXPECT_TRUE(idle->GetChildren().empty());
    EXPECT_EQ(idle->GetCurrentGraphical(), nullptr);
    EXPECT_EQ(idle->GetPosition(), at);
}

class OssuaryArena : public CemeteryWorld {
protected:
    // From the arena floor below the east ledge: running right, a jump and,
    // near the top of it, a second press (tried at a few moments); true when
    // the player leaves by the ledge's exit.
    bool LeapToTheEastLedge()
    {
        for (int second : {9, 11, 13}) {
            ThePlayer().SetPosition(Point<float>(41 * kTile, kFloor));
            Passes(10);
            for (int pass = 0; pass < 60; ++pass) {
                InputActions keys;
                keys.x = 1.0f;
                if (pass < 8 || (pass >= second && pass < second + 8))
                    keys.SetAction1();
                Pass(keys);
                if (LevelName() == "cimetery_tp_02.lvl")
                    return true;
            }
        }
        return false;
    }
};

TEST_F(OssuaryArena, AfterADeathInTheArenaTheRespawnedPlayerMeetsTheSkullBehindTheGates)
{
    // One run's chances: the skull's wander and knock-backs are drawn, and
    // how far past a gate they carry it depends on the draws.
    const platform::ScopedRandomSeed seed {1};
    EnterLevel("cemetery_02.lvl");
    const float gate = Named("gate_in_cm")->GetPosition().x;
    const float alcove = Named("gate_out_cm")->GetPosition().x;
    // Between the gates, for its centre: the skull flies through walls, so a
    // blow's knock-back may carry it a little past them (up to a tile and a
    // little more past the east one, by the run's chances).
    const auto inArena = [&](CharacterObject* c) {
        return c->GetCenter().x >= gate && c->GetCenter().x <= alcove + 2 * kTile;
    };
    // By keys into the arena: the entry gate shuts behind the player.
    const auto walkIn = [&] {
        InputActions right;
        right.x = 1.0f;
        for (int pass = 0; pass < 200 && ThePlayer().GetPosition().x < 38 * kTile; ++pass)
            Pass(right);
        ASSERT_GE(PassUntil([&] { return Look("gate_in_cm") == "Gate_Closed"; }, 60), 0);
        EXPECT_GT(ThePlayer().GetPosition().x, gate + kTile);
    };
    // Saved at the stone before the arena, then in.
    ThePlayer().SetPosition(Point<float>(32 * kTile, kFloor));
    Passes(10);
    walkIn();
    // Struck down there, with no god mode: the level comes back from the save.
    const Watched first(NamedAs<NPC_MiniBoss_FloatingSkull>("miniboss_skull"));
    ASSERT_NE(first, nullptr);
    ThePlayer().SetInvulnerableFrames(0);
    Pass();
    ThePlayer().ApplyDamage(first.Get(), 100);
    ASSERT_GE(PassUntil([&] { return !Live(first); }, 600), 0) << debug.Text();
    Passes(2);
    ASSERT_EQ(LevelName(), "cemetery_02.lvl");
    const Watched boss(NamedAs<NPC_MiniBoss_FloatingSkull>("miniboss_skull"));
    ASSERT_NE(boss, nullptr);
    // Back on the stone, west of the open entry gate: the skull keeps to its
    // arena while the player catches his breath there.
    EXPECT_LT(ThePlayer().GetCenter().x, gate);
    for (int pass = 0; pass < 300; ++pass) {
        Pass();
        ASSERT_TRUE(inArena(boss)) << "pass " << pass << ": the skull at " << boss->GetCenter().x;
    }
    EXPECT_EQ(Look("gate_in_cm"), "Gate_Open");
    // He walks in again; the fight, blows and all, is fought inside.
    walkIn();
    ThePlayer().SetInvulnerableFrames(1 << 20);
    for (int pass = 0; pass < 300; ++pass) {
        if (pass % 40 == 39)
            Strike(boss, 1);
        Pass();
        ASSERT_TRUE(inArena(boss)) << "pass " << pass << ": the skull at " << boss->GetCenter().x;
    }
    EXPECT_LT(boss->GetLife(), 30);
}

TEST_F(OssuaryArena, TheEastLedgeIsOutOfReachWithoutTheDoubleJump)
{
    EnterLevel("cemetery_02.lvl");
    // The jumps alone are measured: the skull and its swarm keep away.
    auto* boss = NamedAs<NPC_MiniBoss_FloatingSkull>("miniboss_skull");
    ASSERT_NE(boss, nullptr);
    for (NPC_FloatingSkull* child : boss->GetChildren())
        child->SetDead(true);
    ASSERT_TRUE(Send("miniboss_skull", "disable"));
    ThePlayer().SetInvulnerableFrames(1 << 20);
    ASSERT_FALSE(ThePlayer().IsModifierEnabled(Player::kDoubleJump));
    EXPECT_FALSE(LeapToTheEastLedge());
    ThePlayer().EnableModifier(Player::kDoubleJump);
    EXPECT_TRUE(LeapToTheEastLedge()) << LevelName();
}

TEST_F(OssuaryArena, TheSkullsDeathOpensTheAlcoveTheDoubleJumpIsTakenAndAReloadFindsItDone)
{
    EnterLevel("cemetery_02.lvl");
    Watched boss(NamedAs<NPC_MiniBoss_FloatingSkull>("miniboss_skull"));
    ASSERT_NE(boss, nullptr);
    EXPECT_EQ(Look("gate_out_cm"), "Gate_Closed");
    EXPECT_FALSE(ThePlayer().IsModifierEnabled(Player::kDoubleJump));
    // It sleeps, without its swarm, until the player is in the arena: the
    // entry gate shuts behind him and it wakes.
    EXPECT_FALSE(boss->IsEnabled());
    EXPECT_TRUE(boss->GetChildren().empty());
    StandIn("arena_cm");
    EXPECT_GE(PassUntil([&] { return Look("gate_in_cm") == "Gate_Closed"; }, 60), 0);
    EXPECT_TRUE(boss->IsEnabled());
    EXPECT_EQ(boss->GetChildren().size(), 3u);
    Passes(40);
    Strike(boss, boss->GetLife());
    ASSERT_GE(PassUntil([&] { return !Live(boss); }, 300), 0);
    // The line after the wait for its death: saved, both gates open.
    ASSERT_GE(PassUntil([&] { return SaveVar("done_cm") == "1"; }, 120), 0) << debug.Text();
    EXPECT_GE(PassUntil([&] { return Look("gate_out_cm") == "Gate_Open"; }, 30), 0);
    EXPECT_EQ(Look("gate_in_cm"), "Gate_Open");
    // The reward through its cut-scene.
    StandIn("reward_cm");
    EXPECT_GE(
        PassUntil(
            [&] { return ThePlayer().IsModifierEnabled(Player::kDoubleJump) && SaveVar("got_2") == "1"; },
            600),
        0);
    // On a later visit the skull is inert and the alcove open.
    EnterLevel("cemetery_02.lvl");
    boss = Watched(NamedAs<NPC_MiniBoss_FloatingSkull>("miniboss_skull"));
    ASSERT_NE(boss, nullptr);
    Passes(5);
    EXPECT_FALSE(boss->IsEnabled());
    EXPECT_TRUE(boss->GetChildren().empty());
    EXPECT_EQ(Look("gate_out_cm"), "Gate_Open");
}

} // namespace
