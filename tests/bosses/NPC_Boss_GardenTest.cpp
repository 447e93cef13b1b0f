#include "bosses/NPC_Boss_Garden.h"
#include "bosses/Projectile_Boss_Garden_Beam.h"
#include "bosses/Projectile_Boss_Garden_String.h"

#include "tests/bosses/LibGardenArena.h"
#include "tests/enemies/LookSteps.h"

#include <gtest/gtest.h>

// The Helmet Court: the skull's parts, its coming down, its dash series and
// their lengths by helmet stage, the beams and the souls in turn, the
// helmet's stages, the chains breaking from the centre, and the whole arena.
namespace {

const ArenaKit kCourt {"g02", "boss_garden", "boss_garden_State_DIE", "NPC_Boss_Garden_GraphicalSkull", 21,
    "2 Cinematic_AbilityL Cinematic_AbilityR"};

class BossGarden : public LibGardenArena {
protected:
    // Home at tile (15, 6): (480, 192).
    NPC_Boss_Garden* Enter(const std::string& extra = "")
    {
        BossArena::Enter(extra + "place Zone_NPCSpawner_Boss_Garden boss_garden 15 6\n");
        Pass();
        return NamedAs<NPC_Boss_Garden>("boss_garden");
    }
    // Frames until the test holds (-1 past the limit).
    int FramesUntil(const std::function<bool()>& test, int limit)
    {
        for (int frame = 1; frame <= limit; ++frame) {
            Pass();
            if (test())
                return frame;
        }
        return -1;
    }
    // Dashes run before the way home, counted from the current series: each
    // ends with a brake that lowers the count.
    int DashesInSeries(NPC_Boss_Garden* boss)
    {
        int dashes = 0;
        int left = boss->GetDashesLeft();
        for (int frame = 0; frame < 2000 && boss->GetDashPhase() != NPC_Boss_Garden::kReturn; ++frame) {
            Pass();
            if (boss->GetDashesLeft() < left)
                ++dashes;
            left = boss->GetDashesLeft();
        }
        return dashes;
    }
};

TEST_F(BossGarden, ItSpawnsWithItsHelmetBeamsAndChainsAndComesDownToItsHomeWhenStarted)
{
    NPC_Boss_Garden* boss = Enter();
    ASSERT_NE(boss, nullptr);
    EXPECT_EQ(boss->GetHome(), Point<int>(480, 192));
    EXPECT_EQ(boss->GetPosition(), Point<float>(480.0f, 192.0f + 1024.0f));
    EXPECT_EQ(boss->GetLife(), 40);
    NPC_Boss_Garden* helmet = boss->GetHelmet();
    ASSERT_NE(helmet, nullptr);
    EXPECT_EQ(helmet->GetState(), NPC_Boss_Garden::kHelmetWhole);
    EXPECT_EQ(helmet->GetLife(), 20);
    // Two columns of a top beam and 40 base beams, each with 8 segments.
    ASSERT_EQ(boss->GetLeftBeams().size(), 41u);
    ASSERT_EQ(boss->GetRightBeams().size(), 41u);
    EXPECT_EQ(CountOf("Projectile_Boss_Garden_BeamV0"), 82 * 9);
    Projectile_Boss_Garden_Beam* top = boss->GetLeftBeams()[0];
    EXPECT_EQ(top->GetState(), Projectile_Boss_Garden_Beam::kDown);
    EXPECT_EQ(top->GetPosition().y, 256.0f - 192.0f);
    EXPECT_EQ(top->GetSegmentCount(), 8u);
    EXPECT_EQ(boss->GetLeftBeams()[1]->GetPosition().y, 256.0f - 160.0f);
    EXPECT_EQ(boss->GetLeftBeams()[1]->GetDrawLimitX(), 480 + 48 - 256);
    EXPECT_EQ(boss->GetRightBeams()[5]->GetDrawLimitX(), 480 + 48 + 256);
    EXPECT_EQ(boss->GetRightBeams()[6]->GetDrawLimitX(), 0);
    EXPECT_FALSE(top->IsEnabled());
    // A row of 64 links and a column of 84 through its anchor.
    ASSERT_EQ(boss->GetRowChains().size(), 64u);
    ASSERT_EQ(boss->GetColumnChains().size(), 84u);
    EXPECT_EQ(boss->GetRowChains()[1]->GetPosition().x, 480.0f - 32.0f);
    EXPECT_EQ(boss->GetColumnChains()[0]->GetPosition().x, 480.0f + 48.0f);

    // Waiting, it neither moves nor hurts; its skull plays in step with a
    // copy restarted as a new picture is, animated once an update.
    std::unique_ptr<GraphicalObject> skull(game.FindGraphicalObject("NPC_Boss_Garden_GraphicalSkull", true));
    ASSERT_NE(skull, nullptr);
    skull->RestartAnimations(true);
    skull->Update(33.0);
    for (int frame = 0; frame < 20; ++frame) {
        Pass();
        skull->Update(33.0);
        ASSERT_NE(boss->GetCurrentGraphical(), nullptr);
        ASSERT_EQ(boss->GetCurrentGraphical()->GetName(), "NPC_Boss_Garden_GraphicalSkull");
        EXPECT_EQ(boss->GetCurrentGraphical()->GetAnimationFrame(), skull->GetAnimationFrame()) << frame;
    }
    EXPECT_EQ(boss->GetPosition(), Point<float>(480.0f, 192.0f + 1024.0f));
    EXPECT_FALSE(Send("boss_garden", "stop", ""));
    ASSERT_TRUE(Send("boss_garden", "START", ""));
    EXPECT_FALSE(Send("boss_garden", "start", ""));
    const int arrival = FramesUntil([&] { return boss->GetState() == NPC_Boss_Garden::kDashing; }, 400);
    ASSERT_GT(arrival, 150);
    EXPECT_EQ(boss->GetDashesLeft(), 8);
    // The chains and the helmet follow it.
    EXPECT_FLOAT_EQ(boss->GetRowChains()[0]->GetPosition().y, boss->GetAnchor().y);
    // (The helmet's own step moves it by its speed of 1 before the skull
    // puts it back.)
    EXPECT_NEAR(helmet->GetPosition().x, boss->GetPosition().x, 1.1f);
    EXPECT_FLOAT_EQ(helmet->GetPosition().y, boss->GetPosition().y);
}

TEST_F(BossGarden, EachCycleDashesByTheHelmetsStageAndAttacksWithBeamsAndSoulsInTurn)
{
    NPC_Boss_Garden* boss = Enter();
    ASSERT_NE(boss, nullptr);
    ASSERT_TRUE(Send("boss_garden", "start", ""));
    ASSERT_NE(FramesUntil([&] { return boss->GetState() == NPC_Boss_Garden::kDashing; }, 400), -1);
    // The helmet cracks at 20 damage; the skull stays out of reach. The
    // running series keeps its 8 dashes.
    NPC_Boss_Garden* helmet = boss->GetHelmet();
    const Rect<int> everywhere(-4000, 4000, 4000, -4000);
    EXPECT_FALSE(boss->IsHitByBox(everywhere, false));
    Strike(helmet, 20);
    EXPECT_EQ(helmet->GetState(), NPC_Boss_Garden::kHelmetCracked);
    EXPECT_EQ(helmet->GetLife(), 30);
    EXPECT_FALSE(boss->IsHitByBox(everywhere, false));
    EXPECT_EQ(DashesInSeries(boss), 8);
    // Home, then the beams: they fire once the attack picture has played,
    // and the cycle goes on 53 frames later.
    ASSERT_NE(FramesUntil([&] { return boss->GetState() == NPC_Boss_Garden::kBeams; }, 400), -1);
    EXPECT_EQ(boss->GetPosition(), boss->GetHome().ToFloat());
    Projectile_Boss_Garden_Beam* beam = boss->GetRightBeams()[3];
    const int fired = FramesUntil([&] { return beam->IsEnabled(); }, 100);
    ASSERT_GT(fired, 0);
    // The attack picture starts in the update that chose it; the beams
    // fire in the update after the one that ends it.
    EXPECT_EQ(fired, UpdatesToFinish("NPC_Boss_Garden_GraphicalSkullAttack"));
    EXPECT_EQ(beam->GetPosition().x, static_cast<float>(static_cast<int>(boss->GetAnchor().x)));
    EXPECT_EQ(FramesUntil([&] { return boss->GetState() == NPC_Boss_Garden::kDashing; }, 100), 53 - 1);
    EXPECT_GT(beam->GetPosition().x, boss->GetAnchor().x) << "the right column sweeps right";
    EXPECT_FALSE(boss->IsNextAttackBeams());
    // A cracked helmet: 6 dashes, then the soul volley.
    EXPECT_EQ(DashesInSeries(boss), 6);
    ASSERT_NE(FramesUntil([&] { return boss->GetState() == NPC_Boss_Garden::kSouls; }, 400), -1);
    EXPECT_EQ(boss->GetSoulsLeft(), 10);
    // Broken after 30 more: the next series has 4 dashes.
    Strike(helmet, 30);
    EXPECT_EQ(helmet->GetState(), NPC_Boss_Garden::kHelmetBroken);
    EXPECT_TRUE(boss->IsHitByBox(everywhere, false) || boss->GetCurrentGraphical() == nullptr);
    ASSERT_NE(FramesUntil([&] { return boss->GetState() == NPC_Boss_Garden::kDashing; }, 200), -1);
    EXPECT_EQ(boss->GetSoulsLeft(), 0);
    EXPECT_EQ(DashesInSeries(boss), 4);
    EXPECT_TRUE(boss->IsNextAttackBeams());
    // A non-lethal hit on the bare skull shakes it up and down.
    Strike(boss, 1);
    EXPECT_EQ(boss->GetLife(), 39);
    EXPECT_NE(boss->GetDrawingEffect(), nullptr);
}

TEST_F(BossGarden, ItsDeathBreaksTheChainsFromTheCentreOutAndTakesTheBeamsAlong)
{
    NPC_Boss_Garden* boss = Enter();
    ASSERT_NE(boss, nullptr);
    ASSERT_TRUE(Send("boss_garden", "start", ""));
    ASSERT_NE(FramesUntil([&] { return boss->GetState() == NPC_Boss_Garden::kDashing; }, 400), -1);
    NPC_Boss_Garden* helmet = boss->GetHelmet();
    Strike(helmet, 20);
    Strike(helmet, 30);
    Strike(boss, 40);
    EXPECT_EQ(boss->GetState(), NPC_Boss_Garden::kDying);
    EXPECT_TRUE(boss->IsExploding());
    EXPECT_TRUE(helmet->IsExploding());
    EXPECT_GT(game.slowMotionBudget, 0);
    const Point<float> anchor = boss->GetAnchor();
    for (Projectile_Boss_Garden_String* link : boss->GetRowChains()) {
        ASSERT_NE(link, nullptr);
        EXPECT_EQ(link->GetState(), Projectile_Boss_Garden_String::kHorizontalBreaking);
        EXPECT_EQ(
            link->GetStateTimer(), 3 * static_cast<int>(std::fabs(anchor.x - link->GetPosition().x) / 32.0f));
    }
    // (The slow motion holds the world back a few frames.)
    ASSERT_NE(PassUntil([&] { return CountOf("Projectile_Boss_Garden_BeamV0") == 0; }, 10), -1);
    // The links go as their broken pictures end, the nearest first.
    ASSERT_NE(PassUntil([&] { return CountOf("Projectile_Boss_Garden_StringV0") == 0; }, 600), -1);
}

TEST_F(BossGarden, DisablingItKillsEveryChainLinkAtOnceAndEnablingItAgainIsSafe)
{
    NPC_Boss_Garden* boss = Enter();
    ASSERT_NE(boss, nullptr);
    ASSERT_TRUE(Send("boss_garden", "disable", ""));
    Passes(2);
    EXPECT_EQ(CountOf("Projectile_Boss_Garden_StringV0"), 0);
    EXPECT_EQ(boss->GetCurrentGraphical(), nullptr);
    // The links it held are gone: enabled again, it runs on without them.
    ASSERT_TRUE(Send("boss_garden", "enable", ""));
    ASSERT_TRUE(Send("boss_garden", "start", ""));
    Passes(30);
    for (Projectile_Boss_Garden_String* link : boss->GetRowChains())
        EXPECT_EQ(link, nullptr);
}

TEST_F(BossGarden, TheArenaRunsFromTheWalkInToTheRewardAndAReloadFindsTheFightDone)
{
    NPC_Boss_Garden* boss = Enter(KitText(kCourt));
    ASSERT_NE(boss, nullptr);
    WalkIn(kCourt);
    EXPECT_NE(boss->GetState(), NPC_Boss_Garden::kWaiting) << "the arena sent start";
    // The helmet and the skull fly above the blade's reach: their blows are
    // dealt directly, with the player as the attacker.
    ASSERT_NE(PassUntil([&] { return boss->GetState() == NPC_Boss_Garden::kDashing; }, 400), -1);
    Strike(boss->GetHelmet(), 20);
    Strike(boss->GetHelmet(), 30);
    Strike(boss, 40);
    FinishAndReload(kCourt, [&] { return Named("boss_garden"); });
}

} // namespace
