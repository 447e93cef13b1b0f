#include "characters/PlayerArmor.h"
#include "characters/PlayerModifier.h"
#include "tests/characters/PlayerTestWorld.h"

#include <gtest/gtest.h>

using namespace playertest;

namespace {

class PlayerObject : public ::testing::Test, public PlayerFixture { };

TEST_F(PlayerObject, ConstructionGivesTheStatesRequestsSizesAndBoxes)
{
    EXPECT_EQ(player->GetMoveState(), 0);
    EXPECT_EQ(player->GetForm(), 0);
    EXPECT_EQ(player->GetAttackKind(), 0);
    EXPECT_EQ(player->GetPendingMoveState(), -1);
    EXPECT_EQ(player->GetPendingForm(), -1);
    EXPECT_EQ(player->GetCrossbowFrames(), 30) << "the crossbow may fire on the first update";
    EXPECT_EQ(player->GetCurrentArmor(), -1);
    EXPECT_EQ(player->GetAttackRank(), 1);
    EXPECT_EQ(player->crossbowLevel, 1);
    EXPECT_EQ(player->GetSize(), Point<int>(64, 96));
    EXPECT_EQ(player->GetDeathSoundIndex(), 29);
    const PlayerBox box = player->GetWorldBox();
    EXPECT_EQ(box.left, 111.0f);
    EXPECT_EQ(box.right, 154.0f);
    EXPECT_EQ(box.top, 96.0f);
    EXPECT_EQ(box.bottom, 0.0f);
    ASSERT_EQ(player->GetModifierCount(), 7);
    EXPECT_NE(GetPlayerArmorFire(player.get()), nullptr);
    EXPECT_NE(GetPlayerArmorIce(player.get()), nullptr);
    ASSERT_NE(GetPlayerArmorCrossbow(player.get()), nullptr);
    EXPECT_EQ(GetPlayerArmorCrossbow(player.get())->boltsLeft, 3);
    for (int i = 0; i < 7; ++i)
        EXPECT_FALSE(player->IsModifierEnabled(i)) << i;
    EXPECT_EQ(player->GetCircleCenter(), Point<float>(32.0f, 23.0f));
}

TEST_F(PlayerObject, EveryLookedUpNameMayBeMissing)
{
    TestWorld empty;
    for (const char* n : Player::kAnimationNames)
        empty.missing.insert(n);
    for (int slot = 0; slot < PlayerAnimationSet::kSlotCount; ++slot)
        empty.missing.insert("Player " + PlayerAnimationSet::SlotName(slot));
    Player bare("Player");
    empty.player = &bare;
    bare.SetLife(3);
    empty.collisions.Add(-1000, -100, 1000, 0);
    for (int slot = 0; slot < PlayerAnimationSet::kSlotCount; ++slot)
        EXPECT_EQ(bare.GetDefaultAnimationSet().GetSlot(slot), nullptr) << slot;
    InputActions none;
    bare.UpdateWithActions(33.0, Keys(1, 0, true, true), none, none);
    bare.UpdateWithActions(33.0, Keys(-1, -1, false, true), none, none);
    EXPECT_EQ(bare.GetCurrentAnimation(), nullptr);
    EXPECT_EQ(bare.GetAttackKind(), 0) << "an attack without a pose ends at once";
    EXPECT_TRUE(bare.GetHurtBoxes().empty());
    EXPECT_EQ(bare.GetBodyBox(), Rect<int>());
    SetPlayerWorld(&world); // the fixture's world again
}

TEST_F(PlayerObject, AnimationSetsAreFilledFromTheirNames)
{
    const PlayerAnimationSet& normal = player->GetDefaultAnimationSet();
    ASSERT_NE(normal.GetSlot(1), nullptr);
    EXPECT_EQ(normal.GetSlot(1)->GetName(), "Player GraphicalIdleR");
    EXPECT_EQ(normal.GetSlot(15)->GetName(), "Player DieR");
    EXPECT_EQ(normal.GetSlot(71)->GetName(), "Player GraphicalAirAttack[r4]R");
    for (int slot : {10, 11, 30, 31, 32, 33, 34, 35})
        EXPECT_EQ(normal.GetSlot(slot), nullptr) << "no crouch-walk or crossbow pose of its own: " << slot;
    const PlayerAnimationSet& spider = player->GetSpiderAnimationSet();
    EXPECT_EQ(spider.GetSlot(3)->GetName(), "Player GraphicalSpiderJumpR");
    EXPECT_EQ(spider.GetSlot(21)->GetName(), "Player GraphicalSpiderTouchedAirR");
    for (int slot : {8, 12, 36})
        EXPECT_EQ(spider.GetSlot(slot), spider.GetSlot(0)) << "crouch poses are the spider idle: " << slot;
    EXPECT_EQ(spider.GetSlot(15), nullptr);
}

TEST_F(PlayerObject, GetMapsItsIndicesAndRefusesOthers)
{
    PlayerAnimationSet set;
    std::vector<std::unique_ptr<GraphicalObject>> owned;
    for (int slot = 0; slot < PlayerAnimationSet::kSlotCount; ++slot) {
        owned.push_back(std::make_unique<GraphicalObject>(PlayerAnimationSet::SlotName(slot)));
        set.SetSlot(slot, owned.back().get());
    }
    EXPECT_EQ(set.Get(0)->GetName(), "GraphicalJumpL");
    EXPECT_EQ(set.Get(12)->GetName(), "GraphicalCrouchExtR") << "12 and 13 are swapped";
    EXPECT_EQ(set.Get(58)->GetName(), "GraphicalStraffFwdL");
    EXPECT_EQ(set.Get(65)->GetName(), "RespawnR");
    EXPECT_EQ(set.Get(66), nullptr);
    EXPECT_EQ(set.Get(-1), nullptr);
    std::set<std::string> reached;
    for (int i = 0; i < PlayerAnimationSet::kIndexCount; ++i)
        reached.insert(set.Get(i)->GetName());
    EXPECT_EQ(reached.size(), 66u);
    EXPECT_EQ(reached.count("GraphicalWalkAttack[r2]L"), 0u) << "rank walk attacks have no index";
}

TEST_F(PlayerObject, ApplyingASetCopiesTheAttackPosesOfTheRank)
{
    PlayerAnimationSet set;
    std::vector<std::unique_ptr<GraphicalObject>> owned;
    for (int slot = 0; slot < PlayerAnimationSet::kSlotCount; ++slot) {
        owned.push_back(std::make_unique<GraphicalObject>(PlayerAnimationSet::SlotName(slot)));
        set.SetSlot(slot, owned.back().get());
    }
    player->SetAttackRank(3);
    set.ApplyToPlayer(player.get());
    EXPECT_EQ(player->GetAnimationField(22)->GetName(), "GraphicalIdleAttack[r3]L");
    EXPECT_EQ(player->GetAnimationField(29)->GetName(), "GraphicalAirAttack[r3]R");
    EXPECT_EQ(player->GetAnimationField(31)->GetName(), "GraphicalIdleCrossbowR");

    GraphicalObject* before = player->GetAnimationField(22);
    player->SetAttackRank(5);
    set.ApplyToPlayer(player.get());
    EXPECT_EQ(player->GetAnimationField(22), before) << "another rank keeps the attack poses";

    player->SetAttackRank(1); // re-applies the default set: no crossbow poses
    EXPECT_EQ(player->GetAnimationField(31), nullptr);
    EXPECT_EQ(player->GetAnimationField(22)->GetName(), "Player GraphicalIdleAttackL");
}

TEST_F(PlayerObject, SpiderFormUnderALowCeilingStaysSixtyFourByThirtyOne)
{
    player->EnableModifier(Player::kSpiderAbility);
    InputActions toggle;
    toggle.Action4 = true;
    Step(toggle);
    ASSERT_EQ(player->GetForm(), Player::kSpider);
    EXPECT_EQ(player->GetSize(), Point<int>(64, 31));
    EXPECT_EQ(player->GetWorldBox().top, 31.0f);
    world.collisions.Add(-1000.0f, 50.0f, 1000.0f, 100.0f);
    Step(Keys(0, 0));
    Step(toggle);
    EXPECT_EQ(player->GetForm(), Player::kSpider);
    EXPECT_EQ(player->GetSize(), Point<int>(64, 31));
    EXPECT_EQ(player->GetWorldBox().top, 31.0f);
    world.collisions.solids.resize(1);
    Step(Keys(0, 0));
    Step(toggle);
    EXPECT_EQ(player->GetForm(), Player::kNormal);
    EXPECT_EQ(player->GetSize(), Point<int>(64, 96));
}

TEST_F(PlayerObject, ResetForLevelEndsTimedFormsButKeepsTheSpider)
{
    struct Case {
        int form;
        int expected;
    };
    for (const Case c : {Case {Player::kSpider, Player::kSpider}, Case {Player::kSpiderHurt, Player::kSpider},
             Case {Player::kHurt, Player::kNormal}}) {
        player->SetForm(c.form);
        player->SetPendingMoveState(6);
        player->ResetForLevel(false);
        EXPECT_EQ(player->GetForm(), c.expected) << c.form;
        EXPECT_EQ(player->GetPendingMoveState(), -1);
        EXPECT_EQ(player->GetDirection(), Point<float>(0.0f, -1.0f));
    }
}

TEST_F(PlayerObject, PendingRequestsApplyAtTheNextUpdate)
{
    player->SetPosition({100.0f, 1000.0f});
    player->SetPendingMoveState(Player::kFall);
    player->SetPendingForm(Player::kSpider);
    EXPECT_EQ(player->GetMoveState(), Player::kIdle);
    Step(Keys(0, 0));
    EXPECT_EQ(player->GetPendingMoveState(), -1);
    EXPECT_EQ(player->GetPendingForm(), -1);
    EXPECT_EQ(player->GetForm(), Player::kSpider);
    EXPECT_EQ(player->GetMoveState(), Player::kFall);
    // The state came first, in normal form: the normal chain's fall0; the
    // next stage is taken from the chain of the form at that time.
    EXPECT_EQ(player->GetCurrentStage(), 3);
    for (int i = 0; i < 3; ++i)
        Step(Keys(0, 0));
    EXPECT_EQ(player->GetCurrentStage(), 9);
}

TEST(PlayerStages, AStageWithNoTimeLeftEndsAtItsEndSpeed)
{
    PlayerMovingStages stages = PlayerTuning::Current().stages;
    stages[1] = {12.5f, false, 80.0};
    // Exactly at the end of jump1: no time left, the end speed at once.
    PlayerStageClock clock {1, 47.0};
    float speed = 24.0f;
    int state = 4;
    AdvancePlayerStage(stages, false, clock, speed, state, 33.0);
    EXPECT_EQ(speed, 12.5f);
    EXPECT_EQ(clock.stage, 1);
    EXPECT_EQ(state, 4);

    // A zero-length non-constant stage is passed at its end speed.
    stages[2] = {3.0f, false, 0.0};
    clock = {2, 0.0};
    AdvancePlayerStage(stages, false, clock, speed, state, 33.0);
    EXPECT_EQ(clock.stage, 3);
    EXPECT_EQ(state, 6);
    EXPECT_TRUE(std::isfinite(speed));

    // Stages that lead to themselves with no length cannot stall a step.
    stages[4] = {20.5f, false, 0.0};
    clock = {4, 0.0};
    AdvancePlayerStage(stages, false, clock, speed, state, 33.0);
    EXPECT_TRUE(std::isfinite(speed));
}

TEST(PlayerStages, TheFormulaKeepsItsOvershoot)
{
    // Easing toward 0 with more time than is left overshoots past the end
    // speed, as the formula has it.
    PlayerMovingStages stages = PlayerTuning::Current().stages;
    PlayerStageClock clock {2, 140.0};
    float speed = 10.0f;
    int state = 5;
    AdvancePlayerStage(stages, false, clock, speed, state, 8.0);
    EXPECT_LT(speed, 0.0f);
}

} // namespace
