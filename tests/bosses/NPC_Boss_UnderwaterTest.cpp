#include "bosses/NPC_Boss_Underwater.h"
#include "bosses/NPC_Boss_Underwater_Line.h"
#include "bosses/Projectile_Boss_Underwater.h"

#include "tests/bosses/BossArena.h"
#include "tests/engine/render/RenderTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

// The Coral Throne's anemone in a small arena: seven short and four long
// arms turning about the body, a shot on the first frame after "start" and
// then every 165 frames, arms cut down into crosses of beams, the last eye
// flying home to turn the body weak (a shot every 66 frames), and its death
// clearing the water.
namespace {

// Counts the sprites drawn.
class DrawCount : public rendertest::NullRenderEngine {
public:
    bool DrawSprite(ISprite*, IGraphicalSurface*, int, int, int, int, float, const Rect<int>*, bool) override
    {
        ++draws;
        return true;
    }
    int draws = 0;
};

class ThroneFight : public BossArena {
protected:
    void SetUp() override
    {
        BossArena::SetUp();
        if (IsSkipped())
            return;
        Enter("place Zone_NPCSpawner_Boss_Underwater boss_underwater 14 6 4x4\n", 2);
        boss = NamedAs<NPC_Boss_Underwater>("boss_underwater");
        ASSERT_NE(boss, nullptr);
        Pass();
        Pass();
    }
    std::vector<Projectile_Boss_Underwater*> Shots()
    {
        std::vector<Projectile_Boss_Underwater*> shots;
        for (Projectile_Boss_Underwater* p : All<Projectile_Boss_Underwater>())
            if (!p->IsBeam() && p->GetEyeMode() == Projectile_Boss_Underwater::kNoEye)
                shots.push_back(p);
        return shots;
    }
    NPC_Boss_Underwater* boss = nullptr;
};

TEST_F(ThroneFight, ElevenArmsTurnAboutTheBodyEachWithItsEyeAndItsFortyOneHiddenBeams)
{
    std::vector<CharacterObject*> arms = boss->LiveArms();
    ASSERT_EQ(arms.size(), size_t(NPC_Boss_Underwater::kShortArms + NPC_Boss_Underwater::kLongArms));
    int longOnes = 0;
    for (CharacterObject* a : arms) {
        auto* arm = dynamic_cast<NPC_Boss_Underwater_Line*>(a);
        ASSERT_NE(arm, nullptr);
        EXPECT_EQ(arm->GetOwner(), boss);
        EXPECT_EQ(arm->GetPosition(), boss->Anchor());
        EXPECT_EQ(arm->GetLife(), NPC_Boss_Underwater_Line::kLife);
        EXPECT_EQ(arm->GetSegments().size(), size_t(NPC_Boss_Underwater_Line::kSegments));
        EXPECT_TRUE(std::none_of(arm->GetSegments().begin(), arm->GetSegments().end(),
            [](Projectile_Boss_Underwater* s) { return s->IsEnabled(); }));
        ASSERT_NE(arm->GetEye(), nullptr);
        EXPECT_EQ(arm->GetEye()->GetName(), "Projectile_Boss_Underwater_Eye");
        longOnes += arm->GetSize().y > 200 ? 1 : 0;
        // It turns by 1.2 to 1.5 x 0.6 degrees a frame, either way.
        const float before = arm->GetAngle();
        Pass();
        const float turned = std::fmod(arm->GetAngle() - before + 540.0f, 360.0f) - 180.0f;
        EXPECT_GE(std::abs(turned), 1.2f * 0.6f - 0.001f);
        EXPECT_LE(std::abs(turned), 1.5f * 0.6f + 0.001f);
        EXPECT_GT(arm->GetSizeSquared(), 1.0e6f);
    }
    EXPECT_EQ(longOnes, NPC_Boss_Underwater::kLongArms);
    // Waiting, it fires nothing.
    Passes(30);
    EXPECT_TRUE(Shots().empty());
}

TEST_F(ThroneFight, ShotsLeaveOnTheFirstFrameAfterStartThenEvery165AndTheyDartAtThePlayer)
{
    EXPECT_TRUE(Send("boss_underwater", "START"));
    EXPECT_FALSE(Send("boss_underwater", "start")) << "a second start goes to the base";
    Pass();
    ASSERT_EQ(Shots().size(), 1u);
    Projectile_Boss_Underwater* shot = Shots().front();
    // While its first look plays it drifts at 1; then it turns once toward
    // the player and flies on at 5 for 330 frames.
    const int drift = PassUntil([&] { return shot->GetState() == Projectile_Boss_Underwater::kFlight; }, 60);
    ASSERT_GT(drift, 0);
    EXPECT_FLOAT_EQ(shot->GetSpeedValue(), 5.0f);
    EXPECT_LT(shot->GetDirection().x, 0.0f) << "the player is west";
    EXPECT_EQ(drift + PassUntil([&] { return Shots().size() == 2; }, 200), NPC_Boss_Underwater::kShotPeriod);
}

TEST_F(ThroneFight, ArmsCutDownFireBeamCrossesAndTheLastEyeTurnsTheBodyWeakUntilItsDeath)
{
    MessageCounter* died = Await("boss_underwater_State_DIE");
    Send("boss_underwater", "start");
    std::vector<CharacterObject*> arms = boss->LiveArms();
    ASSERT_EQ(arms.size(), 11u);
    // The first arm: its eye vanishes, its beams cross where it was struck.
    auto* first = dynamic_cast<NPC_Boss_Underwater_Line*>(arms[0]);
    Projectile_Boss_Underwater* firstEye = first->GetEye();
    // Waiting in their pool at the level's origin, the beams are not drawn.
    DrawCount engine;
    IRenderEngine* previousEngine = g_RenderEngine;
    g_RenderEngine = &engine;
    auto drawBeams = [&] {
        engine.draws = 0;
        for (Projectile_Boss_Underwater* s : first->GetSegments())
            s->Draw(nullptr, Point<int>(0, 448));
        return engine.draws;
    };
    EXPECT_EQ(drawBeams(), 0);
    Strike(first, NPC_Boss_Underwater_Line::kLife);
    EXPECT_GT(drawBeams(), 0);
    g_RenderEngine = previousEngine;
    EXPECT_TRUE(first->IsDead());
    EXPECT_TRUE(firstEye->IsDead());
    const std::vector<Projectile_Boss_Underwater*>& beams = first->GetSegments();
    int shown = 0;
    for (Projectile_Boss_Underwater* s : beams)
        shown += s->IsEnabled() ? 1 : 0;
    EXPECT_EQ(shown, 37) << "nine rings of four about the centre";
    const Point<float> centre = beams[0]->GetPosition();
    EXPECT_EQ(beams[1]->GetPosition(), centre + Point<float>(64.0f, 0.0f));
    EXPECT_EQ(beams[4]->GetPosition(), centre - Point<float>(0.0f, 64.0f));
    EXPECT_EQ(beams[36]->GetPosition(), centre - Point<float>(0.0f, 9.0f * 64.0f));
    // A further blow before the pass removes the arm lays its cross again.
    beams[1]->SetPosition(Point<float>());
    Strike(first, 1);
    EXPECT_EQ(beams[1]->GetPosition(), centre + Point<float>(64.0f, 0.0f));
    // The others, to the last one, whose eye flies home.
    for (size_t i = 1; i + 1 < arms.size(); ++i)
        Strike(arms[i], NPC_Boss_Underwater_Line::kLife);
    auto* last = dynamic_cast<NPC_Boss_Underwater_Line*>(arms.back());
    Projectile_Boss_Underwater* eye = last->GetEye();
    Pass();
    Strike(last, NPC_Boss_Underwater_Line::kLife);
    EXPECT_EQ(eye->GetEyeMode(), Projectile_Boss_Underwater::kReleasedEye);
    EXPECT_EQ(eye->GetOwner(), boss);
    ASSERT_GE(PassUntil([&] { return boss->GetState() == NPC_Boss_Underwater::kWeak; }, 200), 0);
    EXPECT_TRUE(eye->IsDead());
    EXPECT_EQ(boss->GetCurrentGraphical() != nullptr, true);
    // Weak, it fires every 66 frames.
    ASSERT_GE(
        PassUntil([&] { return boss->GetFrameCounter() == NPC_Boss_Underwater::kWeakShotPeriod; }, 170), 0);
    Pass();
    EXPECT_EQ(
        PassUntil([&] { return boss->GetFrameCounter() == NPC_Boss_Underwater::kWeakShotPeriod; }, 80) + 1,
        NPC_Boss_Underwater::kWeakShotPeriod);
    // Its death takes every shot and beam.
    Strike(boss, NPC_Boss_Underwater::kLife);
    EXPECT_TRUE(boss->IsExploding());
    EXPECT_GE(PassUntil([&] { return CountOf("Projectile_Boss_UnderwaterV0") == 0; }, 10), 1);
    ASSERT_GE(PassUntil([&] { return died->Count() > 0; }, 400), 0);
}

} // namespace
