#include "engine/render/ShaderEffect_PostProcess.h"
#include "engine/render/ShaderEffect_TimeDependent.h"
#include "tests/engine/render/EffectTestSupport.h"
#include "tests/engine/render/RenderTestSupport.h"

#include <gtest/gtest.h>

using rendertest::FakeGame;

namespace {

TEST(ShaderEffectTime, ASixtyUnitEffectStopsAfterSixtyUpdatesOrWrapsWhenLooping)
{
    FakeGame game;
    game.state.fixedStepTick = true;
    game.state.frameAdvance = 1;
    ShaderEffect_TimeDependent once(nullptr, 60.0f, false, false, false, true);
    for (int i = 0; i < 59; ++i)
        once.Update();
    EXPECT_TRUE(once.IsRunning());
    once.Update();
    EXPECT_FALSE(once.IsRunning());
    EXPECT_EQ(once.GetTimer(), 60.0f);
    once.Update(); // a stopped effect stays where it is
    EXPECT_EQ(once.GetTimer(), 60.0f);

    ShaderEffect_TimeDependent looping(nullptr, 60.0f, false, false, true, true);
    for (int i = 0; i < 60; ++i)
        looping.Update();
    EXPECT_TRUE(looping.IsRunning());
    EXPECT_EQ(looping.GetTimer(), 0.0f);
    looping.Advance(61.5f);
    EXPECT_FLOAT_EQ(looping.GetTimer(), 1.5f); // the overshoot

    ShaderEffect_TimeDependent backwards(nullptr, 60.0f, true, false, false, true);
    backwards.Start(0, false);
    backwards.SetReverse(true);
    for (int i = 0; i < 60; ++i)
        backwards.Update();
    EXPECT_FALSE(backwards.IsRunning());
    EXPECT_EQ(backwards.GetTimer(), 0.0f);
}

// A zero step is no step: it must neither stop an effect resting at 0 (which
// then never reached its end) nor wrap a looping one out of its range.
TEST(ShaderEffectTime, AZeroStepNeitherEndsNorWrapsAndTheTimerRunsOnAfterIt)
{
    struct Case {
        bool loop;
        bool reverse;
        bool startAtEnd;
    };
    for (const Case& c : {Case {false, false, false}, Case {true, false, false}, Case {false, true, true},
             Case {true, true, true}}) {
        ShaderEffect_TimeDependent effect(nullptr, 4.0f, c.startAtEnd, false, c.loop, true);
        effect.Start(0, !c.startAtEnd);
        effect.SetReverse(c.reverse);
        const float start = effect.GetTimer();
        effect.Advance(0.0f);
        EXPECT_TRUE(effect.IsRunning()) << c.loop << c.reverse;
        EXPECT_EQ(effect.GetTimer(), start) << c.loop << c.reverse;
        int steps = 0;
        while (effect.IsRunning() && steps < 4) {
            effect.Advance(1.0f);
            ++steps;
        }
        // Four unit steps cover the duration: the plain effect ends at the
        // far end, the looping one is back where it began.
        EXPECT_EQ(effect.IsRunning(), c.loop) << c.loop << c.reverse;
        EXPECT_EQ(effect.GetTimer(), c.loop ? start : 4.0f - start) << c.loop << c.reverse;
    }
}

TEST(ShaderEffectTime, AReversedLoopWrapsBackFromTheDuration)
{
    ShaderEffect_TimeDependent effect(nullptr, 10.0f, true, false, true, true);
    effect.Start(0, false);
    effect.SetReverse(true);
    effect.Advance(12.5f);
    EXPECT_TRUE(effect.IsRunning());
    EXPECT_FLOAT_EQ(effect.GetTimer(), 7.5f); // 10 - 12.5 is 2.5 below 0
    for (int i = 0; i < 100; ++i)
        effect.Advance(3.0f);
    EXPECT_GT(effect.GetTimer(), 0.0f); // stays within the range however long it runs
    EXPECT_LE(effect.GetTimer(), 10.0f);
}

TEST(ShaderEffectTime, UpdatesFollowTheGamesTickAndFrameAdvance)
{
    FakeGame game;
    struct Case {
        const char* what;
        bool tickOnly;
        bool tick;
        int32_t frameAdvance;
        bool autoAdvance;
        float expected;
    } cases[] = {
        {"every update", false, false, 1, true, 1.0f},
        {"tick-only without a tick", true, false, 1, true, 0.0f},
        {"tick-only on a tick", true, true, 1, true, 1.0f},
        {"game frame not advancing", false, true, 0, true, 0.0f},
        {"no auto advance", false, true, 1, false, 0.0f},
    };
    for (const Case& c : cases) {
        game.state.fixedStepTick = c.tick;
        game.state.frameAdvance = c.frameAdvance;
        ShaderEffect_TimeDependent effect(nullptr, 10.0f, false, c.tickOnly, false, c.autoAdvance);
        effect.Update();
        EXPECT_EQ(effect.GetTimer(), c.expected) << c.what;
    }
}

TEST(ShaderEffectTime, StartChoosesRunningAndTheEndToStartFrom)
{
    GE_Color colour(nullptr, 20.0f, true, false);
    EXPECT_FALSE(colour.IsRunning());
    EXPECT_EQ(colour.GetTimer(), 20.0f);
    EXPECT_TRUE(colour.Start(0, true));
    EXPECT_TRUE(colour.IsRunning());
    EXPECT_EQ(colour.GetTimer(), 0.0f);
    colour.Start(1, false);
    EXPECT_FALSE(colour.IsRunning());
    EXPECT_EQ(colour.GetTimer(), 20.0f);
}

TEST(ShaderEffectTime, FullScreenEffectsWaitTheirDelaysAndLoop)
{
    ShaderEffect_PostProcess_TimeDependent effect(nullptr, 10.0f, false, 3.0f, 2.0f, false, 0);
    for (int i = 0; i < 3; ++i)
        effect.Advance(1.0f);
    EXPECT_EQ(effect.GetTime(), 0.0f); // the start delay first
    for (int i = 0; i < 10; ++i)
        effect.Advance(1.0f);
    EXPECT_EQ(effect.GetTime(), 10.0f);
    EXPECT_TRUE(effect.IsRunning()); // held for its end delay (counting from the step that ended)
    EXPECT_EQ(effect.GetEndDelay(), 1.0f);
    effect.Advance(1.0f);
    EXPECT_FALSE(effect.IsRunning());

    effect.Start(0); // restarts with the delays reloaded
    EXPECT_TRUE(effect.IsRunning());
    EXPECT_EQ(effect.GetTime(), 0.0f);
    EXPECT_EQ(effect.GetStartDelay(), 3.0f);
    EXPECT_EQ(effect.GetEndDelay(), 2.0f);
    effect.Start(1);
    EXPECT_FALSE(effect.IsRunning());

    ShaderEffect_PostProcess_TimeDependent looping(nullptr, 10.0f, false, 0.0f, 0.0f, true, 0);
    looping.Advance(12.0f);
    EXPECT_EQ(looping.GetTime(), 2.0f);
    EXPECT_TRUE(looping.IsRunning());

    ShaderEffect_PostProcess_TimeDependent empty(nullptr, 0.0f, false, 0.0f, 0.0f, true, 0);
    empty.Advance(1.0f); // nothing to wrap into: it ends instead of spinning
    EXPECT_FALSE(empty.IsRunning());
}

TEST(ShaderEffectTime, FullScreenAdvanceModesFollowTheTickAndTheSecondFlag)
{
    FakeGame game;
    struct Case {
        int mode;
        bool tick;
        bool secondFlag;
        float expected;
    } cases[] = {
        {0, false, true, 1.0f},
        {1, true, false, 1.0f},
        {1, true, true, 0.0f},
        {1, false, false, 0.0f},
        {2, true, true, 1.0f},
        {2, false, false, 0.0f},
    };
    for (const Case& c : cases) {
        game.state.fixedStepTick = c.tick;
        game.state.secondStateFlag = c.secondFlag;
        ShaderEffect_PostProcess_TimeDependent effect(nullptr, 10.0f, false, 0.0f, 0.0f, false, c.mode);
        effect.Update();
        EXPECT_EQ(effect.GetTime(), c.expected) << "mode " << c.mode << " tick " << c.tick;
    }
}

} // namespace
