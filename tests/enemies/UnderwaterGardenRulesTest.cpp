#include "characters/Player.h"
#include "enemies/NPC_Dead_Fish.h"
#include "enemies/NPC_Garden_Plant.h"
#include "enemies/NPC_JellyFish.h"
#include "enemies/NPC_Seahorse.h"
#include "enemies/Projectile_Garden_Plant.h"
#include "enemies/Projectile_SadSoul.h"
#include "engine/platform/Random.h"
#include "game/Game.h"
#include "scene/GraphicalObject.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

// The exact rules of the underwater and garden enemies, on characters made
// by the game's factory in a game without a library (their looks are
// missing, so a test lends them one where a rule needs it): the jellyfish's
// random point, the seahorse's side in a narrow band, the dead fish's turn
// on its target, the garden plant's limits and the garden boss's soul.
namespace {

class WaterGardenRules : public ::testing::Test {
protected:
    template <class T> T* Make(const std::string& className, Point<float> at)
    {
        auto* made = dynamic_cast<T*>(game.CreateCharacterByClass(className, className, nullptr));
        if (made != nullptr)
            made->SetPosition(at);
        return made;
    }
    Player* MakePlayer(Point<float> at)
    {
        auto player = std::make_unique<Player>("Player");
        player->SetSize(64, 96);
        player->SetPosition(at);
        Player* kept = player.get();
        game.SetPlayer(std::move(player));
        return kept;
    }

    Game game;
};

TEST_F(WaterGardenRules, AJellyfishStrokeThatWouldEndOutsideItsZoneHeadsForTheCentreInstead)
{
    const float saved = NPC_JellyFish::GlideDistance();
    NPC_JellyFish::SetGlideDistance(72.0f);
    auto* fish = Make<NPC_JellyFish>("NPC_JellyFish", {20.0f, 50.0f});
    ASSERT_NE(fish, nullptr);
    fish->SetZone(0, 100, 100, 0);
    struct Case {
        Point<float> from;
        uint32_t r1, r2;
        Point<float> direction;
    };
    const Case cases[] = {
        {{20.0f, 50.0f}, 90, 50, {1.0f, 0.0f}},  // ends at x 92: kept
        {{60.0f, 50.0f}, 99, 50, {-1.0f, 0.0f}}, // would end at x 132: to the centre
        {{50.0f, 20.0f}, 50, 90, {0.0f, 1.0f}},  // up, ends at y 92: kept
        {{50.0f, 50.0f}, 50, 50, {0.0f, 0.0f}},  // on the point itself: holds still
    };
    for (const Case& c : cases) {
        fish->SetPosition(c.from);
        const platform::ScopedRandomValues draws({c.r1, c.r2});
        fish->PickRandomDirection(false);
        EXPECT_NEAR(fish->GetDirection().x, c.direction.x, 1e-5f) << c.r1 << "," << c.r2;
        EXPECT_NEAR(fish->GetDirection().y, c.direction.y, 1e-5f) << c.r1 << "," << c.r2;
        EXPECT_EQ(fish->GetPosition(), c.from) << "no jump";
    }
    // A jump moves it onto the drawn point; a zone of no size draws its corner.
    {
        const platform::ScopedRandomValues draws({30, 40});
        fish->PickRandomDirection(true);
    }
    EXPECT_EQ(fish->GetPosition(), Point<float>(30.0f, 40.0f));
    fish->SetZone(10, 10, 10, 10);
    {
        const platform::ScopedRandomValues draws({123, 456});
        fish->PickRandomDirection(true);
    }
    EXPECT_EQ(fish->GetPosition(), Point<float>(10.0f, 10.0f));
    NPC_JellyFish::SetGlideDistance(saved);
}

TEST_F(WaterGardenRules, ASeahorseInABandTooNarrowForAStepTurnsToTheOtherSide)
{
    MakePlayer({0.0f, 0.0f});
    auto* seahorse = Make<NPC_Seahorse>("NPC_Seahorse", {100.0f, 0.0f});
    ASSERT_NE(seahorse, nullptr);
    // Neither 64 to the right (below 164) nor 64 to the left (above 36).
    seahorse->SetRightBound(150);
    seahorse->SetLeftBound(50);
    GraphicalObject look("look");
    const std::pair<uint32_t, float> cases[] = {{0xF0000000u, 1.0f}, {0x10000000u, -1.0f}};
    for (const auto& [draw, side] : cases) {
        seahorse->SetState(NPC_Seahorse::kAttack);
        seahorse->SetCurrentGraphical(&look);
        const platform::ScopedRandomValues draws({draw});
        seahorse->Update(33.0);
        EXPECT_EQ(seahorse->GetState(), NPC_Seahorse::kMove);
        // A draw above 0.5 would go right and turns left; below, the reverse.
        EXPECT_EQ(seahorse->GetDirection().x, -side);
    }
    seahorse->SetCurrentGraphical(nullptr);
}

TEST_F(WaterGardenRules, ADeadFishStartingOnItsFirstTargetTurnsAtTheLeftSideOfItsRectangle)
{
    auto* fish = Make<NPC_Dead_Fish>("NPC_Dead_Fish", {14.0f, 16.0f});
    ASSERT_NE(fish, nullptr);
    fish->rect = Rect<float>(0.0f, 160.0f, 384.0f, 0.0f);
    fish->referencePoint = Point<float>(46.0f, 32.0f);
    // The first update plants (nothing here) and, with no time, stays put.
    fish->Update(0.0);
    GraphicalObject look("look");
    look.SetSize(64, 32, false);
    fish->SetCurrentGraphical(&look);
    // Its centre (14 + 32, 16 + 16) is on the target: both sides apply.
    fish->Update(33.0);
    EXPECT_EQ(fish->GetState(), NPC_Dead_Fish::kTurn);
    EXPECT_EQ(fish->GetPosition().x, 0.0f);
    EXPECT_EQ(fish->GetDirection().x, 1.0f);
    // A hit of 1 kills it; a further hit changes nothing.
    fish->ApplyDamage(nullptr, 1);
    EXPECT_TRUE(fish->IsDead());
    EXPECT_EQ(fish->GetLife(), 0);
    fish->ApplyDamage(nullptr, 1);
    EXPECT_EQ(fish->GetLife(), 0);
    fish->SetCurrentGraphical(nullptr);
}

TEST_F(WaterGardenRules, AGardenPlantStopsAtSixtyPiecesAndAPlayerOnTheTipLeavesNoDirection)
{
    Player* player = MakePlayer({0.0f, 100000.0f});
    auto* plant = Make<NPC_Garden_Plant>("NPC_Garden_Plant", {0.0f, 0.0f});
    ASSERT_NE(plant, nullptr);
    plant->SetTip(0, 32);
    // The player far above: it grows straight up, one piece every 33
    // updates, and stops at 60.
    for (int pass = 0; pass < 61 * NPC_Garden_Plant::kGrowDelay; ++pass)
        plant->Update(33.0);
    ASSERT_EQ(plant->GetPieces().size(), static_cast<size_t>(NPC_Garden_Plant::kMaxPieces));
    EXPECT_EQ(plant->GetStateTimer(), NPC_Garden_Plant::kGrowDelay);
    EXPECT_EQ(plant->GetTip(), Point<int>(0, 32 + 60 * 32));
    for (const Projectile_Garden_Plant* piece : plant->GetPieces())
        EXPECT_EQ(piece->GetOwner(), plant);

    // On a fresh plant, the player's centre on the tip's centre: the second
    // piece lands on the first.
    auto* other = Make<NPC_Garden_Plant>("NPC_Garden_Plant", {500.0f, 0.0f});
    other->SetTip(500, 32);
    other->Update(33.0);
    ASSERT_EQ(other->GetPieces().size(), 1u);
    const Point<int> tip = other->GetTip();
    player->SetPosition(
        Point<float>(static_cast<float>(tip.x + 16 - 32), static_cast<float>(tip.y + 16 - 48)));
    for (int pass = 0; pass < NPC_Garden_Plant::kGrowDelay; ++pass)
        other->Update(33.0);
    ASSERT_EQ(other->GetPieces().size(), 2u);
    EXPECT_EQ(other->GetPieces()[1]->GetDirection(), Point<float>(0.0f, 0.0f));
    EXPECT_EQ(other->GetPieces()[1]->GetPosition(), other->GetPieces()[0]->GetPosition());
}

TEST_F(WaterGardenRules, TheGardenBossSoulIsSlowerLivesLongerAndIgnoresAreaHits)
{
    MakePlayer({1000.0f, 0.0f});
    auto* soul = Make<Projectile_SadSoul>("Projectile_SadSoul", {0.0f, 0.0f});
    ASSERT_NE(soul, nullptr);
    soul->SetGraphicalTarget();
    EXPECT_TRUE(soul->IsTarget());
    // Already on its approach point: it homes at once, at half its travel.
    soul->SetApproachPoint({16, 16});
    soul->Update(33.0);
    EXPECT_EQ(soul->GetState(), Projectile_SadSoul::kHoming);
    EXPECT_NEAR(soul->GetDirection().Length(), 0.5f, 1e-5f);
    soul->ReceiveHit(MakePlayer({1000.0f, 0.0f}), 1, 2.0f);
    EXPECT_FALSE(soul->IsDead());
    soul->ApplyDamage(nullptr, 5);
    EXPECT_FALSE(soul->IsDead());
    // It grows old only past 511 updates.
    int updates = 1;
    while (!soul->IsDead() && updates < 600) {
        soul->Update(0.0);
        ++updates;
    }
    EXPECT_EQ(updates, Projectile_SadSoul::kTargetAgeLimit + 2);
}

} // namespace
