#include "engine/platform/Clock.h"

#include <gtest/gtest.h>

// A scope opened inside another goes on from the outer one's time, and the
// outer one goes on from where the inner one left it: a fixture's clock and
// a pilot's clock inside it never make time run back.
TEST(ManualClock, NestedScopesGoOnFromEachOtherAndTimeNeverRunsBack)
{
    constexpr int64_t kPerMs = 1'000'000;
    ASSERT_EQ(platform::QueryPerformanceFrequency(), 1000 * kPerMs);
    platform::ScopedManualClock outer;
    const int64_t start = platform::QueryPerformanceCounter();
    outer.Advance(10.0);
    EXPECT_EQ(platform::QueryPerformanceCounter(), start + 10 * kPerMs);
    {
        platform::ScopedManualClock inner;
        EXPECT_EQ(platform::QueryPerformanceCounter(), start + 10 * kPerMs);
        inner.Advance(33.0);
        EXPECT_EQ(platform::QueryPerformanceCounter(), start + 43 * kPerMs);
    }
    EXPECT_EQ(platform::QueryPerformanceCounter(), start + 43 * kPerMs) << "the outer clock still stands";
    outer.Advance(1.0);
    EXPECT_EQ(platform::QueryPerformanceCounter(), start + 44 * kPerMs);
}
