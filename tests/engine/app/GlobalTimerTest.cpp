#include "engine/app/GlobalTimer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

TEST(GlobalTimerTest, StepsAreMeasuredFromTheLastUpdateOrRestart)
{
    GlobalTimer timer;
    const double start = timer.GetTimeMs();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const double peeked = timer.Peek();
    EXPECT_GE(peeked, 19.0);
    EXPECT_GE(timer.Peek(), peeked); // Peek grows and changes nothing
    // The second step runs from the first update, not from the start: it is
    // no longer than what a timer started before the first update saw. (No
    // fixed bound: a loaded machine may pause the thread anywhere.)
    GlobalTimer bracket;
    const double first = timer.Update();
    EXPECT_GE(first, peeked);
    EXPECT_EQ(timer.GetLastDelta(), first);
    const double second = timer.Update();
    EXPECT_LE(second, bracket.Peek());

    // Restart moves the reference point, on the counter's scale.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    bracket.Restart();
    timer.Restart();
    const double sinceRestart = timer.Peek();
    EXPECT_LE(sinceRestart, bracket.Peek());
    EXPECT_GE(timer.GetTimeMs() - start, 39.0);
}

TEST(SnapToStepTest, AwayFromOrTowardZero)
{
    EXPECT_EQ(SnapToStep(false, 17.0f, 16.0f, 0.0f), 32.0f);
    EXPECT_EQ(SnapToStep(false, -17.0f, 16.0f, 0.0f), -32.0f);
    EXPECT_EQ(SnapToStep(true, 17.0f, 16.0f, 0.0f), 16.0f);
    EXPECT_EQ(SnapToStep(true, -17.0f, 16.0f, 0.0f), -16.0f);
    // Values on the grid stay; zero snaps up.
    EXPECT_EQ(SnapToStep(false, 32.0f, 16.0f, 0.0f), 32.0f);
    EXPECT_EQ(SnapToStep(true, 0.0f, 16.0f, 0.0f), 0.0f);
    // The offset is added when snapping down, subtracted when snapping up.
    EXPECT_EQ(SnapToStep(true, 17.0f, 16.0f, 1.0f), 17.0f);
    EXPECT_EQ(SnapToStep(false, 17.0f, 16.0f, 1.0f), 31.0f);
    EXPECT_EQ(SnapToStep(false, -17.0f, 16.0f, 1.0f), -31.0f);
    // A zero step leaves the value.
    EXPECT_EQ(SnapToStep(false, 17.5f, 0.0f, 1.0f), 17.5f);
}
