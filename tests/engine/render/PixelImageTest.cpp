#include "engine/render/PixelImage.h"

#include "engine/platform/DebugOutput.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace {

PixelImage MakeCheckerboard()
{
    PixelImage picture(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            picture.SetPixel(x, y, (x + y) % 2 ? 0xFF10C020u : 0x80FF0000u + uint32_t(x * 16 + y));
    return picture;
}

TEST(PixelImage, PngRoundTripThroughMemoryAndFile)
{
    const PixelImage original = MakeCheckerboard();
    const std::vector<uint8_t> png = original.EncodePng();
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(png[1], 'P'); // PNG signature

    PixelImage decoded;
    ASSERT_TRUE(decoded.LoadFromMemory(png));
    EXPECT_EQ(decoded.GetWidth(), 5);
    EXPECT_EQ(decoded.GetHeight(), 3);
    EXPECT_EQ(decoded.GetPixels(), original.GetPixels());

    const auto path
        = std::filesystem::temp_directory_path() / ("quenholt_pixels_" + std::to_string(getpid()) + ".png");
    ASSERT_TRUE(original.SavePng(path.string()));
    PixelImage fromFile;
    ASSERT_TRUE(fromFile.LoadFromFile(path.string()));
    std::filesystem::remove(path);
    EXPECT_EQ(fromFile.GetPixel(4, 2), original.GetPixel(4, 2));
    EXPECT_EQ(fromFile.GetPixels(), original.GetPixels());
}

TEST(PixelImage, BadDataLeavesAnEmptyPictureAndSaysWhy)
{
    std::string messages;
    platform::SetDebugSink([&](std::string_view text) { messages += text; });
    PixelImage picture = MakeCheckerboard();
    const std::vector<uint8_t> garbage = {0x89, 'P', 'N', 'G', 1, 2, 3};
    EXPECT_FALSE(picture.LoadFromMemory(garbage));
    EXPECT_TRUE(picture.IsEmpty());
    EXPECT_FALSE(picture.LoadFromMemory({}));
    EXPECT_FALSE(picture.LoadFromFile("no/such/picture.png"));
    EXPECT_TRUE(picture.GetPixels().empty());
    platform::SetDebugSink({});
    EXPECT_NE(messages.find("picture.png"), std::string::npos);
    EXPECT_TRUE(picture.EncodePng().empty());
}

TEST(PixelImage, ColorKeyAndBounds)
{
    PixelImage picture(2, 2);
    picture.Fill(0x00FFFFFFu);
    picture.SetPixel(1, 1, 0xFFFFFFFFu);
    picture.SetPixel(7, 7, 0xFFFFFFFFu); // outside: ignored
    picture.ApplyColorKey(0x00FFFFFFu);
    EXPECT_EQ(picture.GetPixel(0, 0), 0u);
    EXPECT_EQ(picture.GetPixel(1, 1), 0xFFFFFFFFu);
    EXPECT_EQ(picture.GetPixel(-1, 0), 0u);
    EXPECT_TRUE(PixelImage(-3, 4).IsEmpty());
}

} // namespace
