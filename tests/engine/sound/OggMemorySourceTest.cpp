#include "engine/sound/OggMemorySource.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <limits>

namespace {

class OggMemorySourceTest : public testing::Test {
protected:
    std::array<uint8_t, 10> bytes {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    OggMemorySource source {bytes.data(), static_cast<int64_t>(bytes.size()), 0};
};

TEST_F(OggMemorySourceTest, ReadsStayInsideTheDataAndCountWholeItems)
{
    std::array<uint8_t, 16> out {};
    EXPECT_EQ(OggMemoryRead(out.data(), 4, 4, &source), 2u); // 8 of the 10 bytes
    EXPECT_EQ(source.position, 8);
    EXPECT_EQ(out[7], 7);
    EXPECT_EQ(OggMemoryRead(out.data(), 4, 1, &source), 0u); // 2 bytes left: no whole item

    source.position = 7;
    EXPECT_EQ(OggMemoryRead(out.data(), 1, out.size(), &source), 3u);
    EXPECT_EQ(out[0], 7);
    EXPECT_EQ(out[2], 9);
    EXPECT_EQ(source.position, 10);
    // At the end and past it: nothing more, and the position stays put.
    EXPECT_EQ(OggMemoryRead(out.data(), 1, out.size(), &source), 0u);
    source.position = 25;
    EXPECT_EQ(OggMemoryRead(out.data(), 1, out.size(), &source), 0u);
    EXPECT_EQ(source.position, 10);
    // A position before the start reads from the start.
    source.position = -5;
    EXPECT_EQ(OggMemoryRead(out.data(), 1, 2, &source), 2u);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(source.position, 2);
}

TEST_F(OggMemorySourceTest, SeeksClampToBothEnds)
{
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
    struct Case {
        int64_t from;
        int64_t offset;
        int whence;
        long expected;
    };
    const Case cases[] = {
        {0, 4, SEEK_SET, 4},
        {0, 10, SEEK_SET, 10},
        {0, 11, SEEK_SET, 10},
        {5, -3, SEEK_SET, 0},
        {6, 3, SEEK_CUR, 9},
        {6, 5, SEEK_CUR, 10},
        {6, kMax, SEEK_CUR, 10},
        {10, -4, SEEK_CUR, 6},
        {6, -7, SEEK_CUR, 0},
        {3, 0, SEEK_END, 10},
        {3, -10, SEEK_END, 0},
        {3, -11, SEEK_END, 0},
        {3, kMin, SEEK_END, 0},
        {3, 2, SEEK_END, 10},
    };
    for (const Case& c : cases) {
        source.position = c.from;
        EXPECT_EQ(OggMemorySeek(&source, c.offset, c.whence), 0);
        EXPECT_EQ(OggMemoryTell(&source), c.expected)
            << "from " << c.from << " by " << c.offset << " whence " << c.whence;
    }
}

TEST_F(OggMemorySourceTest, MissingArgumentsFailAndCloseFreesOnlyTheSource)
{
    std::array<uint8_t, 4> out {};
    EXPECT_EQ(OggMemoryRead(out.data(), 1, 4, nullptr), 0u);
    EXPECT_EQ(OggMemoryRead(nullptr, 1, 4, &source), 0u);
    EXPECT_EQ(OggMemoryRead(out.data(), 0, 4, &source), 0u);
    EXPECT_EQ(source.position, 0);
    EXPECT_EQ(OggMemorySeek(nullptr, 0, SEEK_SET), -1);
    EXPECT_EQ(OggMemoryTell(nullptr), -1);
    EXPECT_EQ(OggMemorySeek(&source, 0, 42), -1);
    EXPECT_EQ(OggMemoryClose(nullptr), 0);

    auto* owned = new OggMemorySource {bytes.data(), static_cast<int64_t>(bytes.size()), 3};
    EXPECT_EQ(OggMemoryClose(owned), 0); // the sanitizer build reports a leak or a double free
    EXPECT_EQ(bytes[9], 9);
}

} // namespace
