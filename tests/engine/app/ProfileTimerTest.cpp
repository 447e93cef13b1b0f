#include "engine/app/ProfileTimer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

TEST(ProfileTimer, SectionsTimeOnlyOnTickPassesAndShareOneRecordPerLabel)
{
    std::list<ProfileTimer> timers;
    TimeSection(timers, "Global Game Update", false);
    TimeSection(timers, "Global Game Update", false);
    EXPECT_TRUE(timers.empty());

    TimeSection(timers, "Global Game Update", true); // opens: creates
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    TimeSection(timers, "Global Game Update", true); // closes
    ASSERT_EQ(timers.size(), 1u);
    EXPECT_GE(timers.front().GetElapsed(), 4.0);
    EXPECT_FALSE(timers.front().IsRunning());

    TimeSection(timers, "Global Render Pass", true);
    TimeSection(timers, "Global Game Update", true);
    TimeSection(timers, "Global Game Update", true); // an empty section
    EXPECT_EQ(timers.size(), 2u);
    EXPECT_LT(timers.front().GetElapsed(), 4.0);
}
