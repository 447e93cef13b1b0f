#include "engine/app/ProfileTimer.h"
#include "engine/platform/Clock.h"

#include <gtest/gtest.h>

TEST(ProfileTimer, SectionsTimeOnlyOnTickPassesAndShareOneRecordPerLabel)
{
    platform::ScopedManualClock clock;
    std::list<ProfileTimer> timers;
    TimeSection(timers, "Global Game Update", false);
    TimeSection(timers, "Global Game Update", false);
    EXPECT_TRUE(timers.empty());

    TimeSection(timers, "Global Game Update", true); // opens: creates
    clock.Advance(5.0);
    TimeSection(timers, "Global Game Update", true); // closes
    ASSERT_EQ(timers.size(), 1u);
    EXPECT_DOUBLE_EQ(timers.front().GetElapsed(), 5.0);
    EXPECT_FALSE(timers.front().IsRunning());

    TimeSection(timers, "Global Render Pass", true);
    TimeSection(timers, "Global Game Update", true);
    TimeSection(timers, "Global Game Update", true); // an empty section
    EXPECT_EQ(timers.size(), 2u);
    EXPECT_DOUBLE_EQ(timers.front().GetElapsed(), 0.0);
}
