#include "engine/render/D3DDevice.h"

#include <gtest/gtest.h>

TEST(D3DDevice, NextPowerOfTwoRoundsUpAndKeepsPowers)
{
    EXPECT_EQ(NextPowerOfTwo(1), 1u);
    EXPECT_EQ(NextPowerOfTwo(448), 512u); // the picture's 512 x 448 lives in 512 x 512
    EXPECT_EQ(NextPowerOfTwo(512), 512u);
    EXPECT_EQ(NextPowerOfTwo(513), 1024u);
    EXPECT_EQ(NextPowerOfTwo(0), 1u);
    EXPECT_EQ(NextPowerOfTwo(0x80000001u), 0x80000000u); // no overflow to 0
}

TEST(D3DDevice, ColorToFloat4SplitsTheArgbWord)
{
    const Float4 c = ColorToFloat4(0x80FF0000u);
    EXPECT_FLOAT_EQ(c.r, 1.0f);
    EXPECT_FLOAT_EQ(c.g, 0.0f);
    EXPECT_FLOAT_EQ(c.b, 0.0f);
    EXPECT_NEAR(c.a, 128.0f / 255.0f, 1e-6f);
    const Float4 d = ColorToFloat4(0x00010203u);
    EXPECT_NEAR(d.b, 3.0f / 255.0f, 1e-6f);
    EXPECT_FLOAT_EQ(d.a, 0.0f);
}

TEST(D3DDevice, WithoutADeviceEveryDrawIsANoOp)
{
    ASSERT_EQ(g_Device, nullptr);
    DrawTexturedQuad(0.0f, 0.0f, 8, 8, Point<int>(), 0.0f, 0, 0, 8, 8, 0xFFFFFFFFu, 1);
    ClearTarget(0xFF000000u);
    std::vector<uint32_t> pixels;
    EXPECT_FALSE(ReadPicturePixels(0, 0, 1, 1, pixels));
    EXPECT_TRUE(pixels.empty());
}
