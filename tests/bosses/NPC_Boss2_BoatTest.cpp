#include "bosses/NPC_Boss2_Boat.h"
#include "bosses/Projectile_Boss2_Boat.h"

#include "scene/GraphicalObject.h"
#include "script/ScriptVar.h"
#include "tests/bosses/BossArena.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

// The mast-totem of the Stern, in its own arena ("boat_03.lvl"): the leader
// stacks its parts and head, "start" slides them in, the leader's spheres
// rise in series, the parts hang their blades, and the fourth loss explodes
// it all. It sends no death message: the reward marks the fight as done.
namespace {

class SternFight : public BossArena {
protected:
    void EnterStern()
    {
        ASSERT_TRUE(game.ChangeLevel("boat_03.lvl")) << debug.Text();
        ASSERT_NE(game.GetPlayer(), nullptr);
        leader = NamedAs<NPC_Boss2_Boat>("boss_boat2");
        ASSERT_NE(leader, nullptr);
    }
    std::string SaveVar(const std::string& name)
    {
        ScriptVar* var = Game::FindSaveVar(name);
        return var != nullptr ? var->GetValue() : std::string();
    }
    int BusySpheres()
    {
        return int(std::count_if(leader->GetSpheres().begin(), leader->GetSpheres().end(),
            [](Projectile_Boss2_Boat* s) { return !s->IsFree(); }));
    }
    NPC_Boss2_Boat* leader = nullptr;
};

TEST_F(SternFight, TheLeaderStacksItsPartsAndHeadOnItsFirstUpdate)
{
    EnterStern();
    // Its sixty spheres were launched at once from the origin.
    ASSERT_EQ(leader->GetSpheres().size(), size_t(NPC_Boss2_Boat::kSpheres));
    EXPECT_EQ(BusySpheres(), NPC_Boss2_Boat::kSpheres);
    Pass();
    ASSERT_EQ(leader->GetParts().size(), 4u);
    const float heights[4] = {128.0f, 384.0f, 544.0f, 704.0f};
    for (int n = 0; n < 4; ++n) {
        NPC_Boss2_Boat* part = leader->GetParts()[size_t(n)];
        SCOPED_TRACE(n);
        EXPECT_EQ(part->GetRole(), n + 1);
        EXPECT_EQ(part->GetName(), "boss_boat2_" + std::to_string(n + 1));
        EXPECT_EQ(part->GetOwner(), leader);
        EXPECT_EQ(part->GetDrawOffset(), Point<int>(0, NPC_Boss2_Boat::kEntryDrop));
        EXPECT_EQ(part->GetBlades().size(), 2u);
        EXPECT_NEAR(part->GetPosition().y, leader->GetPosition().y + heights[n], 0.01f);
        EXPECT_NEAR(part->GetPosition().x, leader->GetPosition().x + 96.0f, 1.0f);
    }
    // The head, Part3, Part2, Part1 and the leader update in that order.
    std::vector<NPC_Boss2_Boat*> order = All<NPC_Boss2_Boat>();
    ASSERT_EQ(order.size(), 5u);
    EXPECT_EQ(order[0]->GetRole(), NPC_Boss2_Boat::kHead);
    EXPECT_EQ(order[4], leader);
    // The spheres become free 460 frames after their launch.
    Passes(458);
    EXPECT_EQ(BusySpheres(), NPC_Boss2_Boat::kSpheres);
    Passes(2);
    EXPECT_EQ(BusySpheres(), 0);
    // A sphere launched again keeps its animation where it stands.
    Projectile_Boss2_Boat* sphere = leader->GetSpheres()[0];
    sphere->Launch(1, false);
    Passes(7);
    ASSERT_NE(sphere->GetCurrentGraphical(), nullptr);
    const int frame = sphere->GetCurrentGraphical()->GetAnimationFrame();
    ASSERT_NE(frame, 0);
    sphere->Launch(1, false);
    EXPECT_EQ(sphere->GetCurrentGraphical()->GetAnimationFrame(), frame);
}

TEST_F(SternFight, AfterStartThePartsSlideInAndTheSpheresRiseInSeriesOfTenVolleys)
{
    EnterStern();
    Pass();
    // The player out of every blade's reach, by the dock exit.
    ThePlayer().SetPosition(Point<float>(28.0f * kTile, 24.0f * kTile));
    Send("boss_boat2", "start", "");
    for (NPC_Boss2_Boat* part : leader->GetParts())
        EXPECT_EQ(part->GetState(), NPC_Boss2_Boat::kEntry);
    // 150 frames of waiting, then 5 px a frame from 768 below: ready.
    NPC_Boss2_Boat* part1 = leader->GetParts()[0];
    const int frames = PassUntil([&] { return part1->GetState() == NPC_Boss2_Boat::kReady; }, 400);
    EXPECT_EQ(frames, 150 + 153);
    EXPECT_EQ(part1->GetDrawOffset(), Point<int>(0, 0));
    EXPECT_EQ(leader->GetState(), NPC_Boss2_Boat::kEntry) << "the leader waits for its first attack";

    // The first series: 600 frames after start, six spheres a volley, one
    // volley every 30 frames, ten volleys; the first waits 10 frames still.
    Passes(600 - frames - 1);
    EXPECT_EQ(BusySpheres(), 0);
    Pass();
    EXPECT_EQ(BusySpheres(), 6);
    EXPECT_EQ(leader->GetVolleyIndex(), 1);
    EXPECT_EQ(leader->GetVolleySide(), 1) << "the player stands east of the leader";
    for (Projectile_Boss2_Boat* s : leader->GetSpheres())
        if (!s->IsFree()) {
            EXPECT_EQ(s->GetState(), Projectile_Boss2_Boat::kSlowLaunch);
            EXPECT_GE(s->GetPosition().x, leader->GetPosition().x + 288.0f + 46.0f - 9.0f);
            EXPECT_FLOAT_EQ(s->GetPosition().y, leader->GetPosition().y + 32.0f);
        }
    Passes(30 * 9);
    EXPECT_EQ(BusySpheres(), 60);
    EXPECT_EQ(leader->GetVolleyIndex(), 0);
    EXPECT_EQ(leader->GetVolleyTimer(), NPC_Boss2_Boat::kVolleyPeriod);
}

TEST_F(SternFight, FourLossesExplodeTheTotemTheHeadTakingEveryShotWithItAndTheRewardMarksItDone)
{
    EnterStern();
    Pass();
    Send("boss_boat2", "start", "");
    ASSERT_GE(PassUntil([&] { return leader->GetParts()[3]->GetState() != NPC_Boss2_Boat::kEntry; }, 400), 0);
    std::vector<NPC_Boss2_Boat*> parts = leader->GetParts();
    // Hits on the leader never end the fight.
    Strike(leader, 1000);
    EXPECT_FALSE(leader->IsExploding());
    EXPECT_EQ(leader->GetPartsAlive(), 3);
    // Part 1 destroyed: a loss, and the leader starts attacking itself.
    Strike(parts[0], NPC_Boss2_Boat::kLife);
    EXPECT_EQ(parts[0]->GetState(), NPC_Boss2_Boat::kDestroyed);
    EXPECT_EQ(leader->GetPartsAlive(), 2);
    EXPECT_FALSE(parts[0]->IsExploding());
    // The head: a loss; it explodes and takes every totem shot with it.
    Strike(parts[3], NPC_Boss2_Boat::kLife);
    EXPECT_EQ(leader->GetPartsAlive(), 1);
    EXPECT_TRUE(parts[3]->IsExploding());
    // The slow motion of its death holds the world a few frames.
    EXPECT_GE(PassUntil([&] { return CountOf("Projectile_Boss2_BoatV0") == 0; }, 10), 1);
    EXPECT_EQ(leader->GetFreeProjectile(1), nullptr) << "no sphere left to throw";
    EXPECT_EQ(parts[1]->GetFreeProjectile(0), nullptr) << "no blade left to hang";
    // Two more parts: the fourth loss explodes the leader and the parts.
    Strike(parts[1], NPC_Boss2_Boat::kLife);
    Strike(parts[2], NPC_Boss2_Boat::kLife);
    EXPECT_EQ(leader->GetPartsAlive(), -1);
    ASSERT_GE(PassUntil([&] { return leader->IsExploding(); }, 10), 1);
    for (int n = 0; n < 3; ++n)
        EXPECT_TRUE(parts[size_t(n)]->IsExploding());
    ASSERT_GE(PassUntil([&] { return CountOf("NPC_Boss2_BoatV0") == 0; }, 400), 0);

    // Nothing waits for a death message here: the reward on the high ledge
    // marks the fight as done.
    ThePlayer().SetPosition(Point<float>(26.0f * kTile, 24.0f * kTile + 4.0f));
    ASSERT_GE(PassUntil([&] { return SaveVar("done_b03") == "1"; }, 60), 0);
    EXPECT_EQ(SaveVar("got_6"), "1");
    // Loaded again: the totem stays disabled and never stacks its parts.
    ASSERT_TRUE(game.ChangeLevel("boat_03.lvl")) << debug.Text();
    Passes(3);
    NPC_Boss2_Boat* again = NamedAs<NPC_Boss2_Boat>("boss_boat2");
    ASSERT_NE(again, nullptr);
    EXPECT_FALSE(again->IsEnabled());
    EXPECT_EQ(again->GetCurrentGraphical(), nullptr);
    // Parts it may have stacked before the command came never come down.
    Passes(400);
    for (NPC_Boss2_Boat* part : again->GetParts())
        EXPECT_EQ(part->GetState(), NPC_Boss2_Boat::kWaiting);
}

TEST_F(SternFight, APartLevelWithThePlayerHangsItsTwoBladesNinetyFramesIntoItsAttack)
{
    EnterStern();
    Pass();
    Send("boss_boat2", "start", "");
    NPC_Boss2_Boat* part1 = leader->GetParts()[0];
    ASSERT_GE(PassUntil([&] { return part1->GetState() == NPC_Boss2_Boat::kReady; }, 400), 0);
    // Level with Part1, 300 px east of it.
    const Point<float> at = part1->GetPosition();
    ThePlayer().SetPosition(at + Point<float>(300.0f, 40.0f));
    Pass();
    ThePlayer().SetPosition(at + Point<float>(300.0f, 40.0f));
    ASSERT_EQ(part1->GetState(), NPC_Boss2_Boat::kAttacking);
    EXPECT_TRUE(part1->IsAttackPending());
    const int frames = PassUntil(
        [&] {
            ThePlayer().SetPosition(at + Point<float>(300.0f, 40.0f));
            return !part1->IsAttackPending();
        },
        120);
    EXPECT_EQ(frames, NPC_Boss2_Boat::kBladeDelay);
    for (Projectile_Boss2_Boat* blade : part1->GetBlades()) {
        EXPECT_TRUE(blade->IsBlade());
        EXPECT_EQ(blade->GetOwner(), part1);
        // It keeps its offset from the swaying part.
        const Point<float> offset = blade->GetPosition() - part1->GetPosition();
        Pass();
        EXPECT_NEAR((blade->GetPosition() - part1->GetPosition()).x, offset.x, 0.001f);
    }
}

} // namespace
