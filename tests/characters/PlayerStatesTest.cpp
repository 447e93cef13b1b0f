#include "characters/PlayerArmor.h"
#include "characters/PlayerModifier.h"
#include "tests/characters/PlayerTestWorld.h"
#include "tests/game/ScriptedInput.h"

#include <gtest/gtest.h>

using namespace playertest;

namespace {

class PlayerStates : public ::testing::Test, public PlayerFixture { };

TEST_F(PlayerStates, AHurtOnTheGroundKnocksBackThenRecoversThenEnds)
{
    Target attacker("NPC_Test", 0, 0, 1);
    attacker.SetDirection({1.0f, 0.0f});
    player->ApplyDamage(&attacker, 1);
    std::vector<int> forms;
    std::vector<float> moves;
    for (int i = 0; i < 12; ++i) {
        const float before = X();
        Step(Keys(0, 0));
        forms.push_back(player->GetForm());
        moves.push_back(X() - before);
    }
    // Hurt while the hit timer (4) counts down to 0, pushed at walk speed.
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(forms[i], Player::kHurt) << i;
        EXPECT_NEAR(moves[i], 21.12f, 1e-3) << i;
    }
    // Then recovery, standing, while its timer (4) counts down to 0, and
    // the normal form again.
    for (int i = 4; i < 9; ++i) {
        EXPECT_EQ(forms[i], Player::kRecovery) << i;
        EXPECT_EQ(moves[i], 0.0f) << i;
    }
    EXPECT_EQ(forms[9], Player::kNormal);
    EXPECT_EQ(player->GetMoveState(), Player::kIdle);
}

TEST_F(PlayerStates, ACloseAttackStartedInAJumpEndsOnLanding)
{
    world.frames["Player GraphicalAirAttackL"] = 60; // longer than the airtime
    world.frames["Player GraphicalAirAttackR"] = 60;
    Step(Keys(0, 0, true));
    Step(Keys(0, 0, true, true));
    ASSERT_EQ(player->GetAttackKind(), 1);
    ASSERT_NE(player->GetAttackGraphical(), nullptr);
    int updates = 0;
    while (player->GetMoveState() != Player::kIdle && updates++ < 40)
        Step(Keys(0, 0, true, true));
    EXPECT_EQ(player->GetMoveState(), Player::kIdle);
    EXPECT_EQ(player->GetAttackKind(), 0);
    EXPECT_EQ(player->GetAttackGraphical(), nullptr);
}

TEST_F(PlayerStates, StrafeDashesForItsDurationThenCoolsDown)
{
    player->EnableModifier(Player::kStraff);
    InputActions dash;
    dash.Action7 = true;
    Step(dash);
    ASSERT_EQ(player->GetMoveState(), Player::kStrafe);
    float before = X();
    Step(Keys(0, 0));
    EXPECT_NEAR(X() - before, 42.24f, 1e-3) << "twice the walk speed";
    int updates = 1;
    while (player->GetMoveState() == Player::kStrafe && updates++ < 20)
        Step(Keys(0, 0));
    EXPECT_EQ(updates, 10);
    EXPECT_EQ(player->GetMoveState(), Player::kIdle);
    Step(dash);
    EXPECT_EQ(player->GetMoveState(), Player::kIdle) << "cooling down";
    for (int i = 0; i < 10; ++i)
        Step(Keys(0, 0));
    Step(dash);
    EXPECT_EQ(player->GetMoveState(), Player::kStrafe);
}

TEST_F(PlayerStates, AJumpAgainstAWallInAClimbZoneHangsWhenFacingIt)
{
    struct Case {
        bool ability;
        bool inZone;
        bool hangs;
    };
    for (const Case c : {Case {true, true, true}, Case {false, true, false}, Case {true, false, false}}) {
        SCOPED_TRACE(testing::Message() << c.ability << c.inZone);
        PlayerFixture f;
        f.world.collisions.Add(200.0f, 0.0f, 240.0f, 1000.0f);
        if (c.ability)
            f.player->EnableModifier(Player::kClimb);
        f.player->SetPosition({100.0f, 0.0f});
        f.player->inClimbZone = c.inZone;
        f.Step(Keys(0, 0, true));
        for (int i = 0; i < 8 && f.player->GetMoveState() != Player::kHanging; ++i)
            f.Step(Keys(1, 0, true));
        EXPECT_EQ(f.player->GetMoveState() == Player::kHanging, c.hangs);
        if (c.hangs) {
            // Jumping off pushes away from the wall.
            f.Step(Keys(0, 0, false));
            f.Step(Keys(0, 0, true));
            EXPECT_EQ(f.player->GetMoveState(), Player::kJump);
            EXPECT_FALSE(f.player->inClimbZone);
        }
    }
    SetPlayerWorld(&world);
}

TEST_F(PlayerStates, LavaCostsALifePointAndSlowsTheWalk)
{
    world.liquids.push_back({Rect<int>(-10000, 200, 10000, -100), PlayerLiquid::Lava});
    Step(Keys(1, 0));
    EXPECT_TRUE(player->IsInLava());
    EXPECT_EQ(player->GetLife(), 4);
    const float before = X();
    Step(Keys(1, 0));
    EXPECT_LT(X() - before, 21.12f);
    EXPECT_EQ(player->GetLife(), 4) << "invulnerable after the first point";
}

} // namespace

namespace {

TEST_F(PlayerStates, AHitBlinksForItsInvulnerableFramesAndTrailsFollowTheDash)
{
    player->ApplyDamage(nullptr, 1);
    Step(Keys(0, 0));
    EXPECT_TRUE(player->IsBlinking());
    for (int i = 0; i < 66; ++i)
        Step(Keys(0, 0));
    EXPECT_FALSE(player->IsBlinking());

    EXPECT_EQ(player->GetTrailLength(), 0);
    player->EnableModifier(Player::kStraff);
    InputActions dash;
    dash.Action8 = true;
    Step(dash);
    EXPECT_EQ(player->GetTrailLength(), 5);
    for (int i = 0; i < 12; ++i)
        Step(Keys(0, 0));
    EXPECT_EQ(player->GetTrailLength(), 0);
}

TEST_F(PlayerStates, TheUpdateThatEndsARespawnReadsTheKeysAndAPlacementByAnotherKeepsItsPreviousPosition)
{
    // Locked while the respawn pose plays; the update in which it ends
    // unlocks the input and reads the held key at once.
    ScriptedInput input;
    input.next = Keys(1, 0);
    ASSERT_TRUE(player->StartArrival());
    EXPECT_TRUE(player->IsInputLocked());
    for (int i = 0; i < 10 && player->GetMoveState() == Player::kRespawning; ++i) {
        input.Poll();
        player->UpdateInputs(33.0, &input);
    }
    EXPECT_FALSE(player->IsInputLocked());
    EXPECT_EQ(player->GetMoveState(), Player::kWalk);

    // A boss that carries the player gives it the previous position too.
    Step(Keys(0, 0));
    player->SetPreviousPosition(Point<float>(40.0f, 0.0f));
    player->SetPosition(Point<float>(60.0f, 0.0f));
    player->SetPlacedExternally(true);
    Step(Keys(0, 0));
    EXPECT_EQ(player->GetPreviousPosition(), Point<float>(40.0f, 0.0f));
    EXPECT_FALSE(player->IsPlacedExternally());
}

} // namespace
