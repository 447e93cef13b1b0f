#include "engine/app/ProfileTimer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

TEST(ProfileTimer, HistoryKeepsTheLastSixReportedSamples)
{
    ProfileTimer timer("section");
    EXPECT_TRUE(timer.IsRunning());
    EXPECT_FALSE(timer.IsReported());
    for (int i = 0; i < 8; ++i) {
        timer.Update();
        timer.RecordSample(i % 2 == 0 || i > 4);
    }
    EXPECT_FALSE(timer.IsRunning());
    EXPECT_EQ(timer.GetHistory().size(), 6u); // 0, 2, 4, 5, 6, 7 reported; the oldest dropped
    timer.Update();
    const double elapsed = timer.RecordSample(false);
    EXPECT_FALSE(timer.IsReported());
    EXPECT_EQ(timer.GetHistory().size(), 6u);
    EXPECT_EQ(elapsed, timer.GetElapsed());
}

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
