#include "engine/app/DevConsole.h"
#include "engine/platform/Clock.h"
#include "tests/engine/platform/DebugCapture.h"

#include <gtest/gtest.h>

namespace {

// What the section timing writes to the debug output.
class ProfileSection : public testing::Test {
protected:
    // Sections time on the platform clock: here it moves only when told.
    platform::ScopedManualClock clock;
    DevConsole console;
    DebugCapture debug;
};

TEST_F(ProfileSection, ThresholdsDecideWhatIsPrinted)
{
    console.updateFrame = true;
    console.ProfileSection("always", false, -1.0f);
    console.ProfileSection("never", false, 0.0f);
    console.ProfileSection("slow", false, 1.0e6f);
    console.ProfileSection("fast", false, 0.001f);
    EXPECT_EQ(debug.Text(), "") << "a first call only starts the timer";

    clock.Advance(3.0);
    for (int i = 0; i < 3; ++i) {
        console.ProfileSection("always", false, -1.0f);
        console.ProfileSection("never", false, 0.0f);
        console.ProfileSection("slow", false, 1.0e6f);
    }
    console.ProfileSection("fast", false, 0.001f);
    const std::vector<std::string> output = debug.Messages();
    ASSERT_EQ(output.size(), 4u);
    EXPECT_EQ(output[0].rfind("always : ", 0), 0u);
    EXPECT_EQ(output[0].back(), '\n');
    EXPECT_EQ(std::stoi(output[0].substr(9)), 3) << "the time since the first call";
    EXPECT_EQ(output[3].rfind("fast : ", 0), 0u);
    ASSERT_EQ(console.profileTimers.size(), 4u);
    EXPECT_EQ(console.profileTimers.front().GetHistory().size(), 3u) << "reported samples";
}

TEST_F(ProfileSection, OnlyOnUpdateFramesOrWhenForced)
{
    console.ProfileSection("section", false, -1.0f);
    EXPECT_TRUE(console.profileTimers.empty());
    console.ProfileSection("section", true, -1.0f);
    console.ProfileSection("section", true, -1.0f);
    EXPECT_EQ(debug.Messages().size(), 1u);
    for (int i = 0; i < 9; ++i)
        console.ProfileSection("section", true, -1.0f);
    EXPECT_EQ(console.profileTimers.front().GetHistory().size(), ProfileTimer::kHistorySize);
}

} // namespace
