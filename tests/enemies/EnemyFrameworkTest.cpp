#include "enemies/EnemyFramework.h"

#include "characters/CharacterObject.h"
#include "characters/Player.h"
#include "engine/render/GE_Shake.h"
#include "game/Game.h"
#include "scene/GraphicalObject.h"
#include "tests/engine/platform/DebugCapture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

// The rules every enemy shares: box centres, the damage rule with its shake,
// the weak-kind double hit, the per-frame step of the look and the warning
// for a missing look.
namespace {

// A character that takes damage by the common rule and is weak to fire.
class Target : public CharacterObject {
public:
    explicit Target(int startLife)
        : CharacterObject("Target")
    {
        life = startLife;
    }
    void ApplyDamage(CharacterObject* attacker, int damage) override
    {
        Enemy::ApplyDamage(*this, attacker, damage);
    }
    void ReceiveHit(CharacterObject* attacker, int kind, float amount) override
    {
        Enemy::ReceiveHit(*this, attacker, kind, amount, Enemy::kFireHit);
    }
};

TEST(EnemyFramework, BoxCentresTruncateTowardZero)
{
    struct Case {
        Rect<int> box;
        Point<int> centre;
    };
    const Case cases[] = {
        {Rect<int>(0, 3, 3, 0), {1, 1}},
        {Rect<int>(-3, 0, 0, -3), {-1, -1}},
        {Rect<int>(1, 4, 4, 1), {2, 2}},
        {Rect<int>(-5, 7, 0, 2), {-2, 4}},
        {Rect<int>(36, 60, 44, 52), {40, 56}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetBoxCenter(c.box), c.centre) << c.box.x0 << "," << c.box.y0;
}

TEST(EnemyFramework, DamageLowersLifeSetsTheDeadFlagAndShakesTheLiving)
{
    Game game;
    Target attacker(1);
    struct Case {
        int life;
        int damage;
        bool withAttacker;
        int lifeAfter;
        bool dead;
        bool shakes;
    };
    const Case cases[] = {
        {3, 1, true, 2, false, true}, {1, 3, true, -2, true, false},  // more than the life left: below 0
        {-2, 1, true, 0, true, false},                                // a further hit: 0
        {2, 2, true, 0, true, false}, {2, 1, false, 2, false, false}, // no attacker: only the flash
    };
    for (const Case& c : cases) {
        Target target(c.life);
        target.ApplyDamage(c.withAttacker ? &attacker : nullptr, c.damage);
        EXPECT_EQ(target.GetLife(), c.lifeAfter) << c.life << " - " << c.damage;
        EXPECT_EQ(target.IsDead(), c.dead) << c.life << " - " << c.damage;
        EXPECT_EQ(target.GetDrawingEffect() != nullptr, c.shakes) << c.life << " - " << c.damage;
        EXPECT_EQ(target.WasHit(), c.withAttacker);
    }
}

TEST(EnemyFramework, AWeakKindHitCountsTwiceAndMarksTheDeath)
{
    Game game;
    Target attacker(1);
    struct Case {
        int kind;
        int lifeAfter;
        int mark;
    };
    // Life 2, area hits of 1: the weak kind (fire) kills, ice does not.
    for (const Case& c : {Case {Enemy::kFireHit, 0, Enemy::kFireHit}, Case {Enemy::kIceHit, 1, 0}}) {
        Target target(2);
        target.ReceiveHit(&attacker, c.kind, 1.0f);
        EXPECT_EQ(target.GetLife(), c.lifeAfter) << "kind " << c.kind;
        EXPECT_EQ(target.GetPowerHit(), c.mark) << "kind " << c.kind;
    }
    // A character that cannot be damaged ignores area hits.
    Target wall(-1);
    wall.ReceiveHit(&attacker, Enemy::kFireHit, 3.0f);
    EXPECT_EQ(wall.GetLife(), -1);
}

TEST(EnemyFramework, TheHitShakeJittersOnePixelAndEndsAfterTenFrames)
{
    Game game;
    Target attacker(1);
    Target target(5);
    GraphicalObject look("look");
    target.SetCurrentGraphical(&look);
    target.ApplyDamage(&attacker, 1);
    auto* shake = dynamic_cast<GE_Shake*>(target.GetDrawingEffect());
    ASSERT_NE(shake, nullptr);
    EXPECT_EQ(shake->GetAmplitude(), Point<float>(0.0f, 1.0f));
    int frames = 0;
    while (target.GetDrawingEffect() != nullptr && frames < 50) {
        Enemy::StepGraphical(target, &look, 33.0);
        ++frames;
        if (auto* still = dynamic_cast<GE_Shake*>(target.GetDrawingEffect())) {
            EXPECT_LE(std::abs(still->GetDrawOffset().y), 1);
        }
    }
    EXPECT_EQ(frames, 11) << "dropped once its counter has passed 10";
    // A second hit while shaking keeps the one effect.
    target.ApplyDamage(&attacker, 1);
    GraphicalEffect* first = target.GetDrawingEffect();
    target.ApplyDamage(&attacker, 1);
    EXPECT_EQ(target.GetDrawingEffect(), first);
    target.SetCurrentGraphical(nullptr);
}

TEST(EnemyFramework, AMissingLookIsWarnedAboutOnceAndLeavesNoGraphical)
{
    Game game;
    DebugCapture debug;
    EXPECT_EQ(Enemy::CloneGraphical("NPC_Nothing_GraphicalIdle"), nullptr);
    EXPECT_EQ(Enemy::CloneGraphical("NPC_Nothing_GraphicalIdle"), nullptr);
    EXPECT_EQ(debug.Text(),
        "Warning: enemy graphical \"NPC_Nothing_GraphicalIdle\" is missing; drawn without it\n");
}

TEST(EnemyFramework, AStepAtASpeedCountsCellsOfThirtyTwoPixelsPerSecond)
{
    EXPECT_FLOAT_EQ(Enemy::StepLength(4.0f, 1000.0), 128.0f);
    EXPECT_FLOAT_EQ(Enemy::StepLength(1.0f, 33.0), 1.056f);
    EXPECT_FLOAT_EQ(Enemy::StepLength(0.0f, 33.0), 0.0f);
}

} // namespace
