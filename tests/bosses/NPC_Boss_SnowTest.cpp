#include "bosses/NPC_Boss_Snow.h"
#include "bosses/NPC_Boss_Snow_Arm.h"
#include "bosses/Projectile_Boss_Snow.h"

#include "script/ScriptVar.h"
#include "tests/bosses/BossArena.h"
#include "tools/run/RunCoverage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

// The timber giant of the Yard in its own arena ("snow_02.lvl"): it drops
// in on "start", jumps to a landing point, buries the arena under its
// snowfall, throws blocks after each wind-up, jumps back; its coat must
// break before the wood can be hurt; its death opens the way to the reward.
namespace {

class YardFight : public BossArena {
protected:
    void EnterYard()
    {
        ASSERT_TRUE(game.ChangeLevel("snow_02.lvl")) << debug.Text();
        boss = NamedAs<NPC_Boss_Snow>("boss_snow");
        ASSERT_NE(boss, nullptr);
    }
    std::string SaveVar(const std::string& name)
    {
        ScriptVar* var = Game::FindSaveVar(name);
        return var != nullptr ? var->GetValue() : std::string();
    }
    int Thrown()
    {
        int count = 0;
        for (Projectile_Boss_Snow* b : All<Projectile_Boss_Snow>())
            count += b->GetState() == Projectile_Boss_Snow::kThrown ? 1 : 0;
        return count;
    }
    NPC_Boss_Snow* boss = nullptr;
};

TEST_F(YardFight, TheGiantDropsJumpsBuriesTheArenaThrowsAndComesBackItsCoatGuardingItsWood)
{
    EnterYard();
    Pass();
    EXPECT_EQ(boss->GetState(), NPC_Boss_Snow::kWaiting);
    EXPECT_EQ(boss->GetBlockPool().size(), size_t(NPC_Boss_Snow::kBlockPool));
    EXPECT_EQ(boss->homePoint, Point<int>(21 * 32, 10 * 32));
    MessageCounter* died = Await("boss_snow_State_DIE");
    MessageCounter* coatGone = Await("NPC_Boss_Snow_State_DIE");
    // Into the arena by the keys: its script starts the giant.
    InputActions east;
    east.x = 1.0f;
    for (int pass = 0; pass < 200 && boss->GetState() == NPC_Boss_Snow::kWaiting; ++pass)
        Pass(east);
    ASSERT_EQ(boss->GetState(), NPC_Boss_Snow::kDropping);
    // It drops by its own height onto the floor and puts its coat on.
    ASSERT_GE(PassUntil([&] { return boss->GetState() == NPC_Boss_Snow::kFighting; }, 120), 0);
    EXPECT_EQ(boss->GetPosition(), boss->GetDropPoint().ToFloat());
    EXPECT_EQ(boss->GetDropPoint().y, 10 * 32 + 1 - 256);
    NPC_Boss_Snow* coat = boss->GetSnowBody();
    ASSERT_NE(coat, nullptr);
    EXPECT_TRUE(coat->IsCoat());
    EXPECT_EQ(coat->GetLife(), NPC_Boss_Snow::kCoatLife);
    EXPECT_EQ(coat->GetState(), NPC_Boss_Snow::kSnowBody);
    EXPECT_TRUE(coat->GetBlockPool().empty()) << "the coat has no snowfall of its own";
    // The coat stands: the wood is not to be hurt; the coat is, on the ground.
    Pass();
    EXPECT_TRUE(boss->GetHurtBoxes().empty());
    EXPECT_FALSE(coat->GetHurtBoxes().empty());

    // 132 frames after the drop the random jump; it lands on a landing
    // point, and the snowfall starts 1472 px above its home.
    ASSERT_GE(PassUntil([&] { return boss->GetJumpPhase() != NPC_Boss_Snow::kOnGround; }, 140), 0);
    EXPECT_FALSE(boss->IsNextJumpRandom());
    EXPECT_TRUE(coat->GetHurtBoxes().empty()) << "in the air nothing takes blows";
    ASSERT_GE(PassUntil([&] { return boss->GetJumpPhase() == NPC_Boss_Snow::kOnGround; }, 200), 0);
    const Point<int> landed = boss->GetPosition().ToInt();
    EXPECT_TRUE(landed == Point<int>(9 * 32, 64) || landed == Point<int>(33 * 32, 64)
        || landed == Point<int>(22 * 32, 9 * 32))
        << landed.x << ", " << landed.y;
    EXPECT_EQ(boss->GetFrameCounter(), NPC_Boss_Snow::kStandTime);
    int falling = 0;
    for (Projectile_Boss_Snow* block : boss->GetBlockPool())
        falling += block->GetDirection() == Point<float>(0.0f, -1.0f) ? 1 : 0;
    EXPECT_EQ(falling, 10);
    EXPECT_NEAR(boss->GetBlockPool()[0]->GetPosition().y, 10.0f * 32.0f + 1472.0f, 7.0f);
    // The first wind-up 32 frames after landing, then the first block.
    EXPECT_EQ(PassUntil([&] { return coat->IsPrepareShown(); }, 60), 32);
    ASSERT_GE(PassUntil([&] { return Thrown() > 0; }, 60), 0);

    // The coat breaks (4 life) and the wood can be hurt while it stands.
    Strike(coat, NPC_Boss_Snow::kCoatLife);
    EXPECT_EQ(coat->GetState(), NPC_Boss_Snow::kBroken);
    Pass();
    EXPECT_EQ(coat->GetCurrentGraphical(), coat->Look("Body_Snow_Broken"));
    EXPECT_FALSE(boss->GetHurtBoxes().empty());
    // Disabled it stands frozen, its picture kept; enabled it fights on.
    GraphicalObject* shown = boss->GetCurrentGraphical();
    ASSERT_NE(shown, nullptr);
    const int counter = boss->GetFrameCounter();
    ASSERT_TRUE(boss->HandleScriptCommand("disable", ""));
    Pass();
    EXPECT_EQ(boss->GetCurrentGraphical(), shown);
    EXPECT_EQ(boss->GetFrameCounter(), counter);
    ASSERT_TRUE(boss->HandleScriptCommand("enable", ""));
    // The giant's death: it explodes in pieces of the wood it wears at the
    // blow (its death stops its updates, so the broken wood never shows);
    // blocks and coat go, and its own name's message.
    RunCoverage heard;
    Strike(boss, NPC_Boss_Snow::kLife);
    EXPECT_TRUE(boss->IsExploding());
    EXPECT_EQ(boss->GetCurrentGraphical(), boss->Look("WoodBody"));
    Pass();
    EXPECT_EQ(boss->GetCurrentGraphical(), boss->Look("WoodBody"));
    EXPECT_EQ(heard.Count("sound event", "NPC_Boss_Snow_OneBodyWoodKilled"), 0);
    // The slow motion of its death holds the world a few frames.
    EXPECT_GE(PassUntil([&] { return CountOf("Projectile_Boss_SnowV0") == 0; }, 10), 1);
    EXPECT_GE(coatGone->Count(), 1) << "the coat leaves first, under the class's name";
    EXPECT_EQ(died->Count(), 0);
    ASSERT_GE(PassUntil([&] { return died->Count() > 0; }, 400), 0);
    ASSERT_GE(PassUntil([&] { return SaveVar("done_s02") == "1"; }, 30), 0);
    // Loaded again: the beaten giant stays hidden.
    ASSERT_TRUE(game.ChangeLevel("snow_02.lvl")) << debug.Text();
    Passes(3);
    NPC_Boss_Snow* again = NamedAs<NPC_Boss_Snow>("boss_snow");
    ASSERT_NE(again, nullptr);
    EXPECT_FALSE(again->IsEnabled());
    EXPECT_EQ(again->GetCurrentGraphical(), nullptr);
}

TEST_F(YardFight, AThrownBlockArcsOverItsApexAndFliesOnPastItsTargetUntilItMelts)
{
    EnterYard();
    auto* block = dynamic_cast<Projectile_Boss_Snow*>(
        game.CreateCharacterByClass("Projectile_Boss_Snow", "Projectile_Boss_Snow", nullptr));
    ASSERT_NE(block, nullptr);
    block->SetPosition(Point<float>(800.0f, 200.0f));
    block->SetStartPoint(Point<int>(800, 200));
    block->SetTargetPoint(Point<int>(400, 100));
    float highest = 0.0f;
    int passes = 0;
    while (!block->HasPassedTarget() && passes < 200) {
        Pass();
        ++passes;
        highest = std::max(highest, block->GetPosition().y);
    }
    ASSERT_TRUE(block->HasPassedTarget());
    EXPECT_GT(highest, 250.0f) << "over its apex, 128 above the higher end";
    const Point<float> at = block->GetPosition();
    EXPECT_LE(std::hypot(at.x - 400.0f, at.y - 100.0f), 40.0f);
    Passes(Projectile_Boss_Snow::kLifetime - passes - 1);
    EXPECT_FALSE(block->IsDead());
    Pass();
    EXPECT_TRUE(block->IsDead());
}

TEST_F(YardFight, AnArmOfTheFactoryTakesBlowsOnlyWhileVulnerableAndBreaks)
{
    EnterYard();
    auto* arm = dynamic_cast<NPC_Boss_Snow_Arm*>(
        game.CreateCharacterByClass("NPC_Boss_Snow_Arm", "NPC_Boss_Snow_Arm", nullptr));
    ASSERT_NE(arm, nullptr);
    NPC_Boss_Snow::SetupArms(arm, 1, true);
    EXPECT_EQ(arm->GetLife(), 30);
    EXPECT_TRUE(arm->GetHurtBoxes().empty());
    NPC_Boss_Snow::SetupArms(arm, -1, false);
    EXPECT_EQ(arm->GetLife(), 10);
    Strike(arm, 10);
    EXPECT_EQ(arm->GetState(), NPC_Boss_Snow_Arm::kBroken);
}

} // namespace
