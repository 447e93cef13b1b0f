#include "bosses/NPC_Boss_Ultimate.h"
#include "bosses/BossFrame.h"

#include "bosses/Projectile_Boss_Ultimate.h"
#include "scene/CollisionShape.h"

#include "tests/bosses/BossArena.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

// The Ultimate boss in a flat arena with its markers: the bodies its spawner
// places, the cell chains of step 1, the stones of step 2, and the maw of
// step 3 with its spike fans, spit and claw, to its explosion.
namespace {

const char* const kMarkers = "trigger cell_etape_1 1 4 2x2 {\n}\n"
                             "trigger cell_etape_1 1 8 2x2 {\n}\n"
                             "trigger cell_etape_2 29 4 2x2 {\n}\n"
                             "trigger boss_attack1 12 2 6x2 {\n}\n"
                             "trigger boss_attack2 2 2 8x2 {\n}\n"
                             "trigger Collider 0 1 32x1 {\n}\n"
                             "prop \"Scene Layer 01\" Zone_NPCSpawner_Boss_Ultimate 10 3\n";

class UltimateBoss : public BossArena {
protected:
    void SetUp() override
    {
        BossArena::SetUp();
        if (IsSkipped())
            return;
        Enter(kMarkers, 16);
        // The fight's timings are measured, not the player's survival.
        ThePlayer().SetInvulnerableFrames(1 << 20);
        Pass();
        // The bodies share their names with the markers they stand on.
        cells = WatchEach(Bodies("cell_etape_1"));
        const std::vector<NPC_Boss_Ultimate*> second = Bodies("cell_etape_2");
        throwers = second.empty() ? nullptr : second.front();
        maw = Watched(Boss::FindAs<NPC_Boss_Ultimate>("NPC_Boss_Ultimate"));
        ASSERT_EQ(cells.size(), 2u);
        ASSERT_NE(throwers, nullptr);
        ASSERT_NE(maw, nullptr);
    }
    static std::vector<NPC_Boss_Ultimate*> Bodies(const char* name)
    {
        std::vector<NPC_Boss_Ultimate*> found;
        for (CharacterObject* c : Boss::FindAll(name))
            if (auto* body = dynamic_cast<NPC_Boss_Ultimate*>(c))
                found.push_back(body);
        return found;
    }
    std::vector<Projectile_Boss_Ultimate*> Projectiles(const char* name)
    {
        std::vector<Projectile_Boss_Ultimate*> found;
        for (CharacterObject* c : Boss::FindAll(name))
            if (auto* p = dynamic_cast<Projectile_Boss_Ultimate*>(c))
                found.push_back(p);
        return found;
    }
    // A still shot of the kind beyond the level's east edge, where no floor
    // band and no wall is met.
    Projectile_Boss_Ultimate* Stray(int kind)
    {
        auto* shot = Boss::CreateAs<Projectile_Boss_Ultimate>("Projectile_Boss_Ultimate", "stray");
        if (shot != nullptr) {
            shot->SetPosition(Point<float>(2000.0f, 300.0f));
            shot->SetDirection(Point<float>(0.0f, 0.0f));
            shot->SetState(kind);
        }
        return shot;
    }
    // The maw shown and idle, its first fan 600 frames away.
    void WakeTheMaw()
    {
        ASSERT_TRUE(Send("NPC_Boss_Ultimate", "start"));
        ASSERT_GE(PassUntil([&] { return maw->GetState() == NPC_Boss_Ultimate::kStep3Idle; }, 100), 0);
    }

    std::vector<Watched<NPC_Boss_Ultimate>> cells;
    NPC_Boss_Ultimate* throwers = nullptr;
    Watched<NPC_Boss_Ultimate> maw;
};

TEST_F(UltimateBoss, ItsSpawnerPlacesOneBodyOnEachMarkerAndTheMawAtTheZone)
{
    const CharacterObject* marker = Boss::FindAll("cell_etape_1").front();
    EXPECT_EQ(cells[0]->GetPosition(), marker->GetPosition());
    for (NPC_Boss_Ultimate* cell : cells) {
        EXPECT_EQ(cell->GetState(), NPC_Boss_Ultimate::kStep1Wait);
        EXPECT_EQ(cell->GetLife(), 30);
        EXPECT_EQ(cell->GetMaxLife(), -1);
        EXPECT_EQ(cell->GetCurrentGraphical(), cell->GetSprite(NPC_Boss_Ultimate::kLookStep1Idle));
    }
    EXPECT_EQ(throwers->GetState(), NPC_Boss_Ultimate::kStep2Wait);
    EXPECT_EQ(throwers->GetLife(), 40);
    EXPECT_EQ(maw->GetState(), NPC_Boss_Ultimate::kStep3Hidden);
    EXPECT_EQ(maw->GetLife(), 300);
    EXPECT_EQ(maw->GetMaxLife(), -1) << "the first update sets the life alone";
    EXPECT_EQ(maw->GetCurrentGraphical(), nullptr);
    EXPECT_EQ(maw->GetPosition(), Point<float>(320.0f, 96.0f));
    // Each command in its own state only.
    EXPECT_FALSE(Send("NPC_Boss_Ultimate", "step1_start"));
    EXPECT_FALSE(maw->HandleScriptCommand("step2_start", ""));
}

TEST_F(UltimateBoss, ChainCellsAlwaysGoDiagonallyAndZigZagTowardAStillPlayer)
{
    // The first cell turns a straight way diagonal; then the chain goes on
    // straight, or zig-zags toward a player straight to the right.
    const struct {
        Point<int> wanted, last, next, step;
    } cases[] = {
        {{1, 0}, {0, 0}, {1, -1}, {0, 0}},
        {{0, 1}, {0, 0}, {-1, 1}, {0, 0}},
        {{1, 1}, {1, 1}, {1, 1}, {32, 32}},
        {{1, 0}, {1, 1}, {1, -1}, {32, 0}},
        {{1, 0}, {1, -1}, {1, 1}, {32, 0}},
    };
    for (const auto& c : cases) {
        Point<int> next, step;
        NPC_Boss_Ultimate::NextCell(c.wanted, c.last, next, step);
        EXPECT_EQ(next, c.next) << c.wanted.x << "," << c.wanted.y << " after " << c.last.x << ","
                                << c.last.y;
        EXPECT_EQ(step, c.step) << c.wanted.x << "," << c.wanted.y << " after " << c.last.x << ","
                                << c.last.y;
    }
    // Whatever the player's side, a cell after a diagonal one is diagonal
    // and its anchor moves by one cell.
    for (int lx : {-1, 1})
        for (int ly : {-1, 1})
            for (int wx : {-1, 0, 1})
                for (int wy : {-1, 0, 1}) {
                    if (wx == 0 && wy == 0)
                        continue;
                    Point<int> next, step;
                    NPC_Boss_Ultimate::NextCell({wx, wy}, {lx, ly}, next, step);
                    EXPECT_EQ(std::abs(next.x) + std::abs(next.y), 2);
                    EXPECT_TRUE(std::abs(step.x) == 32 || std::abs(step.y) == 32);
                    EXPECT_TRUE(std::abs(step.x) <= 32 && std::abs(step.y) <= 32);
                }
    EXPECT_EQ(NPC_Boss_Ultimate::QuantizeDirection({100.0f, 15.0f}), Point<int>(1, 0));
    EXPECT_EQ(NPC_Boss_Ultimate::QuantizeDirection({-15.0f, -40.0f}), Point<int>(0, -1));
    EXPECT_EQ(NPC_Boss_Ultimate::QuantizeDirection({-16.0f, 16.0f}), Point<int>(-1, 1));
}

TEST_F(UltimateBoss, AChainGrowsCellByCellAndACutCellTakesTheRestWithIt)
{
    NPC_Boss_Ultimate* body = cells[0];
    // The markers share the bodies' name: each body is told directly.
    ASSERT_TRUE(body->HandleScriptCommand("step1_start", ""));
    ASSERT_GE(PassUntil([&] { return body->GetProjectiles().size() == 4u; }, 300), 0);
    const std::vector<Watched<Projectile_Boss_Ultimate>> chain = WatchEach(body->GetProjectiles());
    for (Projectile_Boss_Ultimate* cell : chain) {
        EXPECT_EQ(std::abs(cell->GetDirection().x), 1.0f);
        EXPECT_EQ(std::abs(cell->GetDirection().y), 1.0f);
        EXPECT_EQ(cell->GetOwner(), body);
    }
    // The newest cell stands centred on the anchor.
    EXPECT_EQ(chain.back()->GetCenter().ToInt(), body->GetChainAnchor());
    // A blow on the second cell takes it and every later one.
    Strike(chain[1], 1);
    EXPECT_EQ(body->GetProjectiles().size(), 1u);
    EXPECT_EQ(body->GetChainAnchor(), chain[0]->GetCenter().ToInt());
    for (size_t i = 1; i < chain.size(); ++i)
        EXPECT_TRUE(chain[i]->IsDead());
    Pass();
    EXPECT_FALSE(Live(chain[3]));
    EXPECT_GE(PassUntil([&] { return body->GetProjectiles().size() == 2u; }, 60), 1);
}

TEST_F(UltimateBoss, AChainRoundAStillPlayerGrowsOverItsOwnPlacesUpToItsBound)
{
    NPC_Boss_Ultimate* body = cells[0];
    ASSERT_TRUE(body->HandleScriptCommand("step1_start", ""));
    // Without a blow the chain reaches the player and winds round him, a
    // cell each time the newest one's animation ends, over places its own
    // cells hold; no cell is taken away, and it stops at 256 cells.
    std::vector<Watched<Projectile_Boss_Ultimate>> made;
    size_t placesAt600 = 0;
    for (int pass = 1; made.size() < 256 && pass < 8000; ++pass) {
        Pass();
        const std::vector<Projectile_Boss_Ultimate*> chain = body->GetProjectiles();
        if (chain.size() > made.size())
            made.emplace_back(chain.back());
        ASSERT_EQ(chain.size(), made.size()) << "the chain lost a cell at pass " << pass;
        if (pass == 600) {
            std::set<std::pair<int, int>> places;
            for (Projectile_Boss_Ultimate* cell : chain)
                places.insert({cell->GetPosition().ToInt().x, cell->GetPosition().ToInt().y});
            placesAt600 = places.size();
            EXPECT_GT(chain.size(), places.size()) << "cells share places";
            EXPECT_GE(chain.size(), 30u);
        }
    }
    EXPECT_GT(placesAt600, 0u);
    ASSERT_EQ(made.size(), 256u);
    Passes(120);
    EXPECT_EQ(body->GetProjectiles().size(), 256u);
    EXPECT_EQ(Projectiles("Projectile_Boss_Ultimate_Step1").size(), 256u);
    for (const Watched<Projectile_Boss_Ultimate>& cell : made)
        ASSERT_TRUE(Live(cell) && !cell->IsDead());
}

TEST_F(UltimateBoss, Step2IsAnnouncedOnlyWhenTheLastCellBodyDiesInItsGrowingState)
{
    MessageCounter* step2 = Await("NPC_Boss_Ultimate_Step2");
    // Emptied before it grows, a body dies only at a later blow.
    Strike(cells[0], 30);
    EXPECT_EQ(cells[0]->GetState(), NPC_Boss_Ultimate::kStep1Wait);
    for (NPC_Boss_Ultimate* cell : cells)
        ASSERT_TRUE(cell->HandleScriptCommand("step1_start", ""));
    ASSERT_GE(PassUntil([&] { return cells[0]->GetState() == NPC_Boss_Ultimate::kStep1Grow; }, 100), 0);
    Passes(40);
    Strike(cells[0], 1);
    EXPECT_EQ(cells[0]->GetState(), NPC_Boss_Ultimate::kStep1Dead);
    EXPECT_TRUE(cells[0]->GetProjectiles().empty());
    Pass();
    EXPECT_EQ(step2->Count(), 0);
    Strike(cells[1], 30);
    Pass();
    EXPECT_EQ(step2->Count(), 1);
    // The dead bodies stay, showing their dead look.
    EXPECT_TRUE(Live(cells[1]));
    EXPECT_EQ(cells[1]->GetCurrentGraphical(), cells[1]->GetSprite(NPC_Boss_Ultimate::kLookStep1Dead));
}

TEST_F(UltimateBoss, AStoneIsThrownOnTheThirtiethAttackFramePassesThroughThePlayerAndBurstsOnTheFloor)
{
    ASSERT_TRUE(throwers->HandleScriptCommand("STEP2_START", ""));
    EXPECT_EQ(throwers->GetState(), NPC_Boss_Ultimate::kStep2Pause);
    EXPECT_GE(throwers->GetFrameCounter(), 60);
    EXPECT_LE(throwers->GetFrameCounter(), 116);
    ASSERT_GE(PassUntil([&] { return throwers->GetState() == NPC_Boss_Ultimate::kStep2Throw; }, 130), 0);
    const Point<float> aim = ThePlayer().GetCenter();
    EXPECT_EQ(
        PassUntil([&] { return !Projectiles("Projectile_Boss_Ultimate_Step1_Large").empty(); }, 60), 30);
    Projectile_Boss_Ultimate* stone = Projectiles("Projectile_Boss_Ultimate_Step1_Large").front();
    float nearest = 1e9f;
    ASSERT_GE(PassUntil(
                  [&] {
                      const Point<float> d = stone->GetPosition() - aim;
                      nearest = std::min(nearest, std::hypot(d.x, d.y));
                      return stone->IsDead();
                  },
                  200),
        0);
    EXPECT_LT(nearest, 20.0f);
    // Four mini stones, born in the stone's update and updated once in the
    // same pass: each falls 0.5 faster per update, down to 10.
    std::vector<Projectile_Boss_Ultimate*> minis = Projectiles("Projectile_Boss_Ultimate_Step2");
    ASSERT_EQ(minis.size(), 4u);
    EXPECT_EQ(minis[0]->GetDirection(), Point<float>(-2.0f, 4.5f));
    EXPECT_EQ(minis[3]->GetDirection(), Point<float>(1.5f, 3.5f));
    minis[0]->SetState(Projectile_Boss_Ultimate::kMiniStone);
    Point<float> fall;
    for (int update = 2; update <= 31; ++update) {
        minis[0]->SetPosition(Point<float>(500.0f, 400.0f));
        minis[0]->Update(Boss::kFrameStep);
        fall = minis[0]->GetDirection();
        if (update < 30) {
            EXPECT_GT(fall.y, -10.0f);
        }
    }
    EXPECT_EQ(fall, Point<float>(-2.0f, -10.0f));
    // They end on the floor.
    EXPECT_GE(PassUntil([&] { return Projectiles("Projectile_Boss_Ultimate_Step2").empty(); }, 100), 1);
}

TEST_F(UltimateBoss, StonesThatMissTheFloorBandLeaveTheFightBelowTheLevel)
{
    const Watched large(Stray(Projectile_Boss_Ultimate::kLargeStone));
    const Watched mini(Stray(Projectile_Boss_Ultimate::kMiniStone));
    ASSERT_TRUE(large != nullptr && mini != nullptr);
    EXPECT_GE(PassUntil([&] { return !Live(large) && !Live(mini); }, 120), 10);
}

// The stones, and only they, carry a collision box of their own over the
// whole sprite, from (0, height - 1) to (width - 1, 0), from their first
// update on.
TEST_F(UltimateBoss, EachStoneCarriesOneCollisionBoxOverItsWholeSprite)
{
    const struct {
        int kind;
        size_t boxes;
    } kinds[] = {{Projectile_Boss_Ultimate::kLargeStone, 1}, {Projectile_Boss_Ultimate::kMiniStone, 1},
        {Projectile_Boss_Ultimate::kSpit, 0}, {Projectile_Boss_Ultimate::kSpikeTravel, 0}};
    for (const auto& k : kinds) {
        SCOPED_TRACE(k.kind);
        auto* shot = Stray(k.kind); // nothing stops it in its first update
        ASSERT_NE(shot, nullptr);
        EXPECT_TRUE(shot->GetCollisionShape().empty());
        Pass();
        ASSERT_EQ(shot->GetCollisionShape().size(), k.boxes);
        if (k.boxes == 0)
            continue;
        ASSERT_NE(shot->GetCurrentGraphical(), nullptr);
        const Point<int> size = shot->GetCurrentGraphical()->GetSize();
        const auto* box = dynamic_cast<const CollisionBox<int>*>(shot->GetCollisionShape().front());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->GetRect(), Rect<int>(0, size.y - 1, size.x - 1, 0));
        EXPECT_EQ(box->GetType(), 0);
    }
}

TEST_F(UltimateBoss, TheMawFansSixSpikesThatParkOnTheirPlacesAndAreLaunchedTogether)
{
    WakeTheMaw();
    ASSERT_NE(Boss::Find("Projectile_Boss_Ultimate_Step3_Claw"), nullptr);
    EXPECT_EQ(
        PassUntil([&] { return !Projectiles("Projectile_Boss_Ultimate_Step3_Moving2").empty(); }, 700), 600);
    const std::vector<Watched<Projectile_Boss_Ultimate>> spikes
        = WatchEach(Projectiles("Projectile_Boss_Ultimate_Step3_Moving2"));
    ASSERT_EQ(spikes.size(), 6u);
    EXPECT_EQ(spikes[0]->GetStartOrTarget(), (maw->GetPosition() + Point<float>(-192.0f, 256.0f)).ToInt());
    ASSERT_GE(PassUntil(
                  [&] {
                      return std::all_of(spikes.begin(), spikes.end(), [](Projectile_Boss_Ultimate* s) {
                          return s->GetState() == Projectile_Boss_Ultimate::kSpikeLaunched;
                      });
                  },
                  300),
        0);
    for (Projectile_Boss_Ultimate* s : spikes)
        EXPECT_EQ(s->GetPosition(), s->GetStartOrTarget().ToFloat());
    // Launched in the maw's update, each spike has counted its first frame
    // in the same pass: they go 60 frames apart.
    EXPECT_EQ(maw->GetFrameCounter(), NPC_Boss_Ultimate::kFanWait);
    EXPECT_EQ(spikes[5]->GetFrameCounter(), 359);
    EXPECT_EQ(PassUntil([&] { return spikes[0]->GetSpeedValue() > 0.0f; }, 100), 59);
    // It dies below the top of the claw's strip.
    EXPECT_GE(PassUntil([&] { return !Live(spikes[0]); }, 100), 1);
}

TEST_F(UltimateBoss, HitsThatCarryItsLifeAcrossATenStartASpitAtTheFloor)
{
    WakeTheMaw();
    const struct {
        int life;
        bool attacks;
    } cases[] = {{300, true}, {291, false}, {290, true}, {110, true}, {101, false}, {100, false}, {90, true},
        {10, true}};
    for (const auto& c : cases) {
        maw->SetState(NPC_Boss_Ultimate::kStep3Idle);
        maw->SetLife(c.life);
        Strike(maw, 1);
        EXPECT_EQ(maw->GetState() == NPC_Boss_Ultimate::kStep3Attack, c.attacks) << c.life;
    }
    // Eleven frames on, the spit flies at the floor area and splashes on it.
    maw->SetLife(200);
    maw->SetState(NPC_Boss_Ultimate::kStep3Idle);
    Strike(maw, 1);
    EXPECT_EQ(
        PassUntil([&] { return !Projectiles("Projectile_Boss_Ultimate_Step3_Moving").empty(); }, 30), 11);
    Projectile_Boss_Ultimate* spit = Projectiles("Projectile_Boss_Ultimate_Step3_Moving").front();
    ASSERT_GE(PassUntil([&] { return spit->GetState() == Projectile_Boss_Ultimate::kSplash; }, 200), 0);
    EXPECT_EQ(spit->GetPosition().y, static_cast<float>(spit->GetArea().y1));
    EXPECT_GE(spit->GetPosition().x, spit->GetArea().x0 - 32);
    EXPECT_LE(spit->GetPosition().x, spit->GetArea().x1);
    // A splash is hit by an area attack only.
    const Rect<int> everywhere(-10000, 10000, 10000, -10000);
    EXPECT_FALSE(spit->IsHitByBox(everywhere, false));
    EXPECT_TRUE(spit->IsHitByBox(everywhere, true));
}

TEST_F(UltimateBoss, TheClawWaitsForThePlayerInItsStripAndStrikesInsideIt)
{
    WakeTheMaw();
    auto* claw = Boss::FindAs<Projectile_Boss_Ultimate>("Projectile_Boss_Ultimate_Step3_Claw");
    ASSERT_NE(claw, nullptr);
    EXPECT_EQ(claw->GetState(), Projectile_Boss_Ultimate::kClawWait);
    claw->SetFrameCounter(0);
    // Outside the strip it keeps testing every frame.
    Passes(5);
    EXPECT_EQ(claw->GetFrameCounter(), 0);
    EXPECT_EQ(claw->GetCurrentGraphical(), nullptr);
    // At the strip's far right it strikes, standing inside the strip.
    const Rect<int> strip = claw->GetArea();
    ThePlayer().SetPosition(Point<float>(static_cast<float>(strip.x1 - 4), kFloor));
    Pass();
    EXPECT_EQ(claw->GetState(), Projectile_Boss_Ultimate::kClawStrike);
    const int width = claw->GetSize().x;
    EXPECT_EQ(claw->GetPosition(), Point<float>(static_cast<float>(strip.x1 - width - 1), strip.y1));
    EXPECT_GE(claw->GetFrameCounter(), 150);
    EXPECT_LE(claw->GetFrameCounter(), 434);
    EXPECT_GE(PassUntil([&] { return claw->GetState() == Projectile_Boss_Ultimate::kClawWait; }, 60), 1);
}

TEST_F(UltimateBoss, TheMawsDeathTakesItsSpikesSpitAndClawAndEndsInTheExplosion)
{
    WakeTheMaw();
    MessageCounter* died = Await("NPC_Boss_Ultimate_State_DIE");
    maw->SetLife(10);
    maw->SetState(NPC_Boss_Ultimate::kStep3Idle);
    Strike(maw, 1);
    ASSERT_GE(
        PassUntil([&] { return !Projectiles("Projectile_Boss_Ultimate_Step3_Moving").empty(); }, 30), 0);
    ASSERT_GE(PassUntil([&] { return maw->GetState() == NPC_Boss_Ultimate::kStep3Idle; }, 100), 0);
    Strike(maw, 9);
    EXPECT_TRUE(maw->IsExploding());
    // The slow motion skips the next world updates; the first one removes
    // what the death marked.
    EXPECT_GE(PassUntil([&] { return Boss::Find("Projectile_Boss_Ultimate_Step3_Claw") == nullptr; }, 5), 2);
    EXPECT_TRUE(Projectiles("Projectile_Boss_Ultimate_Step3_Moving").empty());
    EXPECT_TRUE(Live(maw));
    EXPECT_GE(PassUntil([&] { return !Live(maw); }, 400), 1);
    EXPECT_EQ(died->Count(), 1);
}

} // namespace
