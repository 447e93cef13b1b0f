#include "engine/app/GlobalTimer.h"
#include "engine/platform/Clock.h"

#include <gtest/gtest.h>

TEST(GlobalTimerTest, StepsAreMeasuredFromTheLastUpdateOrRestart)
{
    // On the manual clock the steps are exact, whatever the machine's load.
    platform::ScopedManualClock clock;
    GlobalTimer timer;
    const double start = timer.GetTimeMs();
    clock.Advance(20.0);
    EXPECT_DOUBLE_EQ(timer.Peek(), 20.0);
    EXPECT_DOUBLE_EQ(timer.Peek(), 20.0); // Peek changes nothing
    EXPECT_DOUBLE_EQ(timer.Update(), 20.0);
    EXPECT_DOUBLE_EQ(timer.GetLastDelta(), 20.0);
    // The next step runs from that update, not from the start.
    clock.Advance(7.5);
    EXPECT_DOUBLE_EQ(timer.Update(), 7.5);

    // Restart moves the reference point, on the counter's scale, and
    // reports no step.
    clock.Advance(20.0);
    timer.Restart();
    EXPECT_DOUBLE_EQ(timer.Peek(), 0.0);
    EXPECT_DOUBLE_EQ(timer.GetLastDelta(), 7.5);
    EXPECT_DOUBLE_EQ(timer.GetTimeMs() - start, 47.5);
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
