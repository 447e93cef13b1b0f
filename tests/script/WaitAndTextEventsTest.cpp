#include "script/BGEvent_ShakeCamera.h"
#include "script/BGEvent_ShowText.h"
#include "script/BGEvent_Wait.h"
#include "script/BGEvent_WaitMessage.h"
#include "tests/script/ScriptFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

// Ticks until the event finishes (Update once per tick), at most `limit`.
int TicksToFinish(BackgroundEvent& event, int limit = 1000)
{
    for (int tick = 1; tick <= limit; ++tick) {
        event.Update();
        if (event.IsFinished())
            return tick;
    }
    return -1;
}

TEST(WaitEvent, AWaitOfNTicksFinishesOnTickN)
{
    const std::pair<int, int> cases[] = {{60, 60}, {2, 2}, {1, 1}, {0, 1}, {-5, 1}};
    for (const auto& [ticks, expected] : cases) {
        BGEvent_Wait wait("w", ticks);
        EXPECT_EQ(TicksToFinish(wait), expected) << ticks;
    }
}

TEST(WaitEvent, StopFinishesAtTheNextUpdate)
{
    BGEvent_Wait wait("w", 100);
    wait.Stop();
    EXPECT_FALSE(wait.IsFinished());
    wait.Update();
    EXPECT_TRUE(wait.IsFinished());
}

TEST(WaitMessageEvent, OneBroadcastFinishesEveryWaiterOfThatMessageInAnyCase)
{
    BGEvent_WaitMessage first("a", "Boss_Dead");
    BGEvent_WaitMessage second("b", "boss_dead");
    BGEvent_WaitMessage other("c", "gate_open");
    BGEvent_WaitMessage::Broadcast("BOSS_DEAD");
    EXPECT_TRUE(first.IsFinished());
    EXPECT_TRUE(second.IsFinished());
    EXPECT_FALSE(other.IsFinished());
    // A message sent before the waiter exists is lost.
    BGEvent_WaitMessage late("d", "boss_dead");
    late.Update();
    EXPECT_FALSE(late.IsFinished());
}

using ShowTextEvent = ScriptFixture;

TEST_F(ShowTextEvent, FadesOutOverItsLastThreeTicks)
{
    BGEvent_ShowText text("t", "Found it");
    text.StartFor(5);
    EXPECT_EQ(TicksToFinish(text), 5);
    std::vector<uint32_t> alphas;
    for (const auto& message : game.console.messages) {
        EXPECT_EQ(message.text, " [EVENT] Found it");
        EXPECT_EQ(message.colour & 0xFFFFFFu, 0xFFFFFFu);
        alphas.push_back(message.colour >> 24);
    }
    EXPECT_EQ(alphas, (std::vector<uint32_t> {255, 255, 150, 100, 50}));
}

TEST_F(ShowTextEvent, WithoutACountItShowsForEver)
{
    BGEvent_ShowText text("t", "x");
    EXPECT_EQ(TicksToFinish(text, 50), -1);
    EXPECT_EQ(game.console.messages.front().colour >> 24, 0u);
    EXPECT_EQ(game.console.messages.back().colour >> 24, 206u);
}

TEST_F(ShowTextEvent, OnlyLogicTicksCount)
{
    BGEvent_ShowText text("t", "x");
    text.StartFor(2);
    game.fixedStepTick = 0;
    for (int i = 0; i < 5; ++i)
        text.Update();
    EXPECT_TRUE(game.console.messages.empty());
    game.fixedStepTick = 1;
    EXPECT_EQ(TicksToFinish(text), 2);
}

TEST(ShakeCameraEvent, SendsNOffsetsWithinTheAmplitudeThenZero)
{
    BGEvent_ShakeCamera shake("s", 20, 8.0f, 2.0f, 4.0f, 4.0f);
    bool moved = false;
    for (int tick = 1; tick <= 20; ++tick) {
        shake.Update();
        ASSERT_FALSE(shake.IsFinished()) << tick;
        const Point<float> amplitude = shake.GetAmplitude();
        // The amplitude slides linearly to the end value.
        EXPECT_FLOAT_EQ(amplitude.x, 8.0f + (2.0f - 8.0f) * tick / 20.0f);
        EXPECT_LE(std::abs(shake.GetOffset().x), static_cast<int>(amplitude.x));
        EXPECT_LE(std::abs(shake.GetOffset().y), 4);
        moved = moved || shake.GetOffset() != Point<int>(0, 0);
    }
    EXPECT_TRUE(moved);
    shake.Update();
    EXPECT_TRUE(shake.IsFinished());
    EXPECT_EQ(shake.GetOffset(), Point<int>(0, 0));
}

TEST(ShakeCameraEvent, AnAxisStartingAtZeroNeverMoves)
{
    BGEvent_ShakeCamera shake("s", 30, 0.0f, 50.0f, 6.0f, 0.0f);
    for (int tick = 0; tick < 30; ++tick) {
        shake.Update();
        EXPECT_EQ(shake.GetOffset().x, 0);
    }
}

TEST(ShakeCameraEvent, ZeroTicksFinishesOnTheFirstTick)
{
    BGEvent_ShakeCamera shake("s", 0, 5.0f, 5.0f, 5.0f, 5.0f);
    shake.Update();
    EXPECT_TRUE(shake.IsFinished());
    EXPECT_EQ(shake.GetOffset(), Point<int>(0, 0));
}

} // namespace
