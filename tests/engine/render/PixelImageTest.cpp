#include "engine/render/PixelImage.h"

#include "tests/engine/platform/DebugCapture.h"
#include "tests/engine/render/PngFixtures.h"

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
    DebugCapture debug;
    PixelImage picture = MakeCheckerboard();
    const std::vector<uint8_t> garbage = {0x89, 'P', 'N', 'G', 1, 2, 3};
    EXPECT_FALSE(picture.LoadFromMemory(garbage));
    EXPECT_TRUE(picture.IsEmpty());
    EXPECT_FALSE(picture.LoadFromMemory({}));
    EXPECT_NE(debug.Text().find("image in memory"), std::string::npos);
    // A missing file is the texture loader's to report, once it has looked
    // everywhere: the picture only says why.
    debug.Clear();
    EXPECT_FALSE(picture.LoadFromFile("no/such/picture.png"));
    EXPECT_TRUE(picture.GetPixels().empty());
    EXPECT_TRUE(picture.IsMissingFile());
    EXPECT_EQ(picture.GetError(), "no/such/picture.png: cannot open the file");
    EXPECT_EQ(debug.Text(), "");
    EXPECT_FALSE(picture.LoadFromMemory({}));
    EXPECT_FALSE(picture.IsMissingFile());
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

namespace {

using pngtest::EncodeRawPng;
using pngtest::PackGrey;
using pngtest::RawPicture;

TEST(PngDecoder, GreyWithATransparencyKeyKeepsItsLevelsAtEveryDepth)
{
    // Each row walks the levels 0, 1, max/2 and max; the key is level 1 (or,
    // at depth 1, level 0).
    for (const bool interlaced : {false, true}) {
        for (const uint8_t depth : {1, 2, 4, 8, 16}) {
            const uint16_t maxLevel = uint16_t((1u << depth) - 1);
            const std::vector<uint16_t> levels = {0, 1, uint16_t(maxLevel / 2), maxLevel};
            const uint16_t key = depth == 1 ? 0 : 1;
            RawPicture raw;
            raw.width = 4;
            raw.height = 3;
            raw.bitDepth = depth;
            raw.rows = PackGrey({levels, levels, levels}, depth);
            raw.greyKey = key;
            raw.interlaced = interlaced;
            const std::vector<uint8_t> png = EncodeRawPng(raw);
            ASSERT_FALSE(png.empty()) << int(depth);
            PixelImage picture;
            ASSERT_TRUE(picture.LoadFromMemory(png)) << picture.GetError();
            for (int y = 0; y < 3; ++y) {
                for (int x = 0; x < 4; ++x) {
                    const uint32_t grey = (levels[size_t(x)] * 255u + maxLevel / 2) / maxLevel;
                    const uint32_t alpha = levels[size_t(x)] == key ? 0u : 255u;
                    EXPECT_EQ(picture.GetPixel(x, y), (alpha << 24) | grey * 0x010101u)
                        << "depth " << int(depth) << " x " << x << " interlaced " << interlaced;
                }
            }
        }
    }
}

TEST(PngDecoder, RefusesWhatIsNotAPlausiblePngQuickly)
{
    const std::vector<uint8_t> good = PixelImage(3, 2).EncodePng();
    RawPicture huge;
    huge.width = PixelImage::kMaxSide + 1;
    huge.height = 1;
    huge.rows.assign(huge.width, 0);
    std::vector<uint8_t> truncated = good;
    truncated.resize(good.size() - 20); // inside the image data
    std::vector<uint8_t> badCrc = good;
    badCrc[29] ^= 0xFF; // inside the IHDR checksum
    // A header claiming 8192 x 8192 with almost no data behind it.
    const std::vector<uint8_t> tooBig = pngtest::WithSize(good, 8192, 8192);

    const std::pair<std::vector<uint8_t>, const char*> cases[] = {
        {EncodeRawPng(huge), "bad PNG header"},
        {truncated, "damaged PNG data"},
        {badCrc, "invalid chunk checksum"},
        {tooBig, "claims 8192 x 8192 pixels, more than its"},
        {{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0}, "not a PNG image"},
    };
    DebugCapture debug;
    for (const auto& [bytes, reason] : cases) {
        debug.Clear();
        PixelImage picture(2, 2);
        EXPECT_FALSE(picture.LoadFromMemory(bytes, "case.png")) << reason;
        EXPECT_TRUE(picture.IsEmpty()) << reason;
        EXPECT_EQ(picture.GetError().rfind("case.png: ", 0), 0u) << picture.GetError();
        EXPECT_NE(picture.GetError().find(reason), std::string::npos) << picture.GetError();
        EXPECT_NE(debug.Text().find(picture.GetError()), std::string::npos) << debug.Text();
    }
}

} // namespace
