#include "tests/characters/PlayerTestWorld.h"

#include <gtest/gtest.h>

using namespace playertest;

namespace {

class PlayerMovement : public ::testing::Test, public PlayerFixture { };

TEST_F(PlayerMovement, HeldJumpFromIdleRisesThroughTheStagesAndFallsAtTheEndSpeed)
{
    const float heights[] = {0.528f, 25.872f, 51.216f};
    std::vector<float> ys;
    for (int i = 0; i < 30; ++i) {
        Step(Keys(0, 0, true));
        ys.push_back(Y());
        if (Y() <= 0.5f && i > 0)
            break;
    }
    for (size_t i = 0; i < 3; ++i)
        EXPECT_NEAR(ys[i], heights[i], 1e-3) << "update " << i + 1;
    const auto apex = std::max_element(ys.begin(), ys.end());
    EXPECT_EQ(apex - ys.begin(), 8) << "the apex is reached on update 9";
    EXPECT_NEAR(*apex, 104.954f, 1e-3);
    // Once the fall reaches its last stage it goes down 21.648 px per update.
    EXPECT_NEAR(ys[ys.size() - 3] - ys[ys.size() - 2], 21.648f, 1e-3);
    EXPECT_EQ(player->GetMoveState(), Player::kIdle);
}

TEST_F(PlayerMovement, ReleasingTheJumpEarlyStillRisesForFiftyMilliseconds)
{
    Step(Keys(0, 0, true));
    ASSERT_EQ(player->GetMoveState(), Player::kJump);
    Step(Keys(0, 0, false)); // 33 ms after take-off
    EXPECT_EQ(player->GetMoveState(), Player::kJump);
    Step(Keys(0, 0, false)); // 66 ms
    EXPECT_EQ(player->GetMoveState(), Player::kEndJump);
}

TEST_F(PlayerMovement, WalkingMovesTwentyOnePixelsPerUpdateAndSlowerInWater)
{
    Step(Keys(1, 0));
    ASSERT_EQ(player->GetMoveState(), Player::kWalk);
    for (int i = 0; i < 3; ++i) {
        const float before = X();
        Step(Keys(1, 0));
        EXPECT_NEAR(X() - before, 21.12f, 1e-3);
        EXPECT_NEAR(Y(), 0.0f, 1e-3);
    }
    world.liquids.push_back({Rect<int>(-10000, 200, 10000, -100), PlayerLiquid::Water});
    Step(Keys(1, 0));
    ASSERT_TRUE(player->IsTouchingWater());
    const float before = X();
    Step(Keys(1, 0));
    EXPECT_NEAR(X() - before, 13.728f, 1e-3);
}

// Steering in the air never takes the player faster than it walks: walking
// right into a jump with right and jump held, each of the 8 updates after
// take-off moves it 21.12 px, as a walking update does; jumping from a
// standstill, the steering builds up to that speed and no further.
TEST_F(PlayerMovement, MidAirSteeringNeverExceedsTheWalkingSpeed)
{
    Step(Keys(1, 0));
    Step(Keys(1, 0));
    ASSERT_EQ(player->GetMoveState(), Player::kWalk);
    Step(Keys(1, 0, true));
    ASSERT_EQ(player->GetMoveState(), Player::kJump);
    for (int update = 1; update <= 8; ++update) {
        const float before = X();
        Step(Keys(1, 0, true));
        EXPECT_GT(Y(), 0.0f) << "update " << update;
        EXPECT_NEAR(X() - before, 21.12f, 1e-3) << "update " << update;
    }
    for (int update = 0; update < 60 && player->GetMoveState() != Player::kIdle; ++update)
        Step(Keys(0, 0));
    ASSERT_EQ(player->GetMoveState(), Player::kIdle);

    Step(Keys(1, 0, true));
    ASSERT_EQ(player->GetMoveState(), Player::kJump);
    float fastest = 0.0f;
    for (int update = 1; update <= 8; ++update) {
        const float before = X();
        Step(Keys(1, 0, true));
        fastest = std::max(fastest, X() - before);
        EXPECT_LE(X() - before, 21.12f + 1e-3f) << "update " << update;
    }
    EXPECT_NEAR(fastest, 21.12f, 1e-3);
}

TEST_F(PlayerMovement, LowStepsAreWalkedOverAndHighOnesBlock)
{
    struct Case {
        float height;
        bool walkedOver;
    };
    for (const Case c : {Case {3.0f, true}, Case {8.0f, false}}) {
        SCOPED_TRACE(c.height);
        world.collisions.solids.resize(1);
        world.collisions.Add(200.0f, 0.0f, 400.0f, c.height);
        player->SetPosition({100.0f, 0.0f});
        for (int i = 0; i < 8; ++i)
            Step(Keys(1, 0));
        if (c.walkedOver) {
            EXPECT_GT(X(), 200.0f);
            EXPECT_NEAR(Y(), c.height, 0.2f);
        } else {
            // Stopped at the step less the skin; the box's right edge is x + 54.
            EXPECT_NEAR(X() + 54.0f, 200.0f - 0.1f, 1e-3);
            EXPECT_EQ(player->GetDirection().x, 0.0f);
            EXPECT_NEAR(Y(), 0.0f, 1e-3);
        }
    }
}

TEST_F(PlayerMovement, WalkingOffALedgeFallsWithTheFallStages)
{
    // Standing on a block 200 px high ending at x = 150.
    world.collisions.Add(-1000.0f, 0.0f, 150.0f, 200.0f);
    player->SetPosition({80.0f, 200.0f});
    int steps = 0;
    while (player->GetMoveState() != Player::kFall && steps++ < 20)
        Step(Keys(1, 0));
    ASSERT_EQ(player->GetMoveState(), Player::kFall);
    // The first update in which nothing lies within 4 + 20 px: the player sank 4 px.
    EXPECT_NEAR(Y(), 196.0f, 1e-3);
    EXPECT_GE(X() + 11.0f, 150.0f);
    // fall0 eases from 0 to 15.5 over 84 ms plus one update: 33 ms each.
    const float expected[] = {0.0f + 15.5f * 33.0f / 84.0f};
    float before = Y();
    Step(Keys(0, 0));
    EXPECT_NEAR(before - Y(), expected[0] * 1.056f, 1e-3);
    for (int i = 0; i < 4; ++i)
        Step(Keys(0, 0));
    before = Y();
    Step(Keys(0, 0));
    EXPECT_NEAR(before - Y(), 21.648f, 1e-3) << "fall1 holds 20.5";
}

TEST_F(PlayerMovement, LandingFromAHundredPixelsFreezesAndFromNinetyNineDoesNot)
{
    struct Case {
        float height;
        bool freezes;
    };
    // A landing stops 0.1 px (the skin) above the floor, so a fall that
    // starts at 100.1 measures 100 px.
    for (const Case c : {Case {100.0f, true}, Case {99.0f, false}}) {
        SCOPED_TRACE(c.height);
        player->SetPosition({100.0f, c.height + 0.1f});
        player->SetMoveState(Player::kFall);
        int updates = 0;
        while (player->GetMoveState() == Player::kFall && updates++ < 30)
            Step(Keys(0, 0));
        ASSERT_EQ(player->GetMoveState(), Player::kIdle);
        if (!c.freezes) {
            EXPECT_EQ(player->GetForm(), Player::kNormal);
            continue;
        }
        EXPECT_EQ(player->GetForm(), Player::kHighFallFreeze);
        // Frozen: walking does nothing for 15 updates, then the form ends.
        for (int i = 0; i < 15; ++i) {
            Step(Keys(1, 0));
            EXPECT_EQ(player->GetForm(), Player::kHighFallFreeze) << i;
            EXPECT_EQ(player->GetMoveState(), Player::kIdle);
        }
        Step(Keys(1, 0));
        EXPECT_EQ(player->GetForm(), Player::kNormal);
        EXPECT_EQ(player->GetMoveState(), Player::kWalk);
    }
}

TEST_F(PlayerMovement, OneDoubleJumpPerAirtimeAndItNeedsTheAbility)
{
    auto airJumps = [this]() {
        int restarts = 0;
        Step(Keys(0, 0, true));
        for (int i = 0; i < 40 && player->GetMoveState() != Player::kIdle; ++i) {
            const bool press = i % 4 == 3; // a fresh press every fourth update
            const int stageBefore = player->GetCurrentStage();
            Step(Keys(0, 0, press));
            if (press && player->GetCurrentStage() == 0 && stageBefore != 0)
                ++restarts;
        }
        return restarts;
    };
    EXPECT_EQ(airJumps(), 0);
    player->EnableModifier(Player::kDoubleJump);
    EXPECT_EQ(airJumps(), 1);
    EXPECT_FALSE(player->HasDoubleJumped()) << "reset on the ground";
    EXPECT_EQ(airJumps(), 1) << "and available again in the next airtime";
}

TEST_F(PlayerMovement, CeilingEndsTheRiseAndHeadroomGatesTheJump)
{
    world.collisions.Add(-1000.0f, 150.0f, 1000.0f, 200.0f);
    Step(Keys(0, 0, true));
    int updates = 0;
    while (player->GetMoveState() == Player::kJump && updates++ < 10)
        Step(Keys(0, 0, true));
    EXPECT_EQ(player->GetMoveState(), Player::kFall);
    EXPECT_NEAR(Y() + 96.0f, 150.0f - 0.1f, 1e-3) << "stopped under the ceiling less the skin";

    world.collisions.solids.resize(1);
    world.collisions.Add(-1000.0f, 99.0f, 1000.0f, 200.0f); // 3 px above the head
    player->SetPosition({100.0f, 0.0f});
    for (int i = 0; i < 30 && player->GetMoveState() != Player::kIdle; ++i)
        Step(Keys(0, 0));
    Step(Keys(0, 0, true));
    EXPECT_EQ(player->GetMoveState(), Player::kIdle) << "no headroom, no jump";
}

TEST_F(PlayerMovement, CrouchNeedsFullDownFromIdleButAnyDownFromWalking)
{
    Step(Keys(0, -0.5f));
    EXPECT_EQ(player->GetMoveState(), Player::kIdle);
    Step(Keys(0, -1.0f));
    EXPECT_EQ(player->GetMoveState(), Player::kCrouch);
    Step(Keys(0, 0));
    Step(Keys(1, 0));
    ASSERT_EQ(player->GetMoveState(), Player::kWalk);
    Step(Keys(1, -0.5f));
    EXPECT_EQ(player->GetMoveState(), Player::kCrouch);
}

TEST_F(PlayerMovement, CrouchJumpOnAOneWayFloorDropsThrough)
{
    world.collisions.Add(0.0f, 190.0f, 400.0f, 200.0f, true);
    player->SetPosition({100.0f, 200.0f});
    Step(Keys(0, -1.0f));
    ASSERT_EQ(player->GetMoveState(), Player::kCrouch);
    Step(Keys(0, -1.0f, true));
    EXPECT_EQ(player->GetMoveState(), Player::kFall);
    EXPECT_LT(Y(), 200.0f);
    for (int i = 0;
         i < 30 && player->GetMoveState() != Player::kIdle && player->GetMoveState() != Player::kCrouch; ++i)
        Step(Keys(0, -1.0f));
    EXPECT_NEAR(Y(), 0.0f, 0.2f) << "landed on the floor below";
    EXPECT_EQ(player->GetMoveState(), Player::kCrouch) << "down held lands in crouch";
}

TEST_F(PlayerMovement, WithoutACollisionLayerThePlayerDoesNotMove)
{
    world.withCollisions = false;
    for (int i = 0; i < 3; ++i)
        Step(Keys(1, 0, i == 0));
    EXPECT_EQ(X(), 100.0f);
    EXPECT_EQ(Y(), 0.0f);
    EXPECT_EQ(player->GetMoveState(), Player::kIdle);
}

TEST_F(PlayerMovement, AStillPlayerWithNothingUnderItFallsAndOneOnTheFloorStays)
{
    // Entered in the air, no key held: it sinks, then falls to the floor.
    player->SetPosition({100.0f, 200.0f});
    Step(Keys(0, 0));
    EXPECT_EQ(Y(), 196.0f) << "a first probe of 4 pixels";
    EXPECT_EQ(player->GetMoveState(), Player::kFall);
    for (int i = 0; i < 30 && player->GetMoveState() != Player::kIdle; ++i)
        Step(Keys(0, 0));
    EXPECT_NEAR(Y(), 0.0f, 0.2f);
    const float rest = Y();
    for (int i = 0; i < 10; ++i)
        Step(Keys(0, -1.0f * (i % 2)));
    EXPECT_NEAR(Y(), rest, 1e-4f) << "idle and crouching on the floor it stays";
    EXPECT_EQ(X(), 100.0f);
}

} // namespace
