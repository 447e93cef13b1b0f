#include "engine/app/FpsOverlay.h"

#include "engine/app/DevConsole.h"

#include <gtest/gtest.h>

TEST(FpsOverlay, TheFrameRateLineNeedsADebugConsoleAndAStep)
{
    DevConsole console;
    AddFpsMessage(console, 20.0);
    EXPECT_TRUE(console.messages.empty()); // debug off

    console.debug = true;
    AddFpsMessage(console, 0.0);
    EXPECT_TRUE(console.messages.empty()); // nothing measured yet

    // No frame measured yet either: the per-frame rate reads 0, no division.
    AddFpsMessage(console, 20.0);
    ASSERT_EQ(console.messages.size(), 1u);
    EXPECT_EQ(console.messages.back().text, "Global FPS : 50 \t [ PFF: 0 ]");
    EXPECT_EQ(console.messages.back().colour, 0xFFC83232u);
    EXPECT_EQ(console.messages.back().remaining, 0.0);
    EXPECT_FALSE(console.messages.back().countInFrames);

    console.frameTime = 33.0;
    AddFpsMessage(console, 16.0);
    EXPECT_EQ(console.messages.back().text, "Global FPS : 62 \t [ PFF: 30 ]");
    EXPECT_EQ(console.messages.back().colour, 0xFF00C8FFu); // beat the frame time by more than 2 ms
    AddFpsMessage(console, 31.5);
    EXPECT_EQ(console.messages.back().colour, 0xFFC83232u);
}
