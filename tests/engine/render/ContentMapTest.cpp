#include "engine/render/ContentMap.h"

#include "engine/render/PixelImage.h"

#include <gtest/gtest.h>

namespace {

using Piece = ContentMap::Piece;

// A 96 x 48 picture (3 x 3 cells): an opaque band over the bottom cell row, a
// half-transparent dot in the middle cell, the rest fully transparent.
PixelImage BandAndDot()
{
    PixelImage picture(96, 48);
    for (int y = 32; y < 48; ++y)
        for (int x = 0; x < 96; ++x)
            picture.SetPixel(x, y, 0xFF102030u);
    picture.SetPixel(40, 20, 0x80FFFFFFu);
    return picture;
}

std::vector<Piece> Cover(const ContentMap& map, int left, int top, int width, int height)
{
    std::vector<Piece> pieces;
    map.Cover(left, top, width, height, pieces);
    return pieces;
}

bool Same(const Piece& a, const Piece& b)
{
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height
        && a.opaque == b.opaque;
}

TEST(ContentMap, CellsSayEmptyOpaqueOrMixed)
{
    const ContentMap map(BandAndDot());
    ASSERT_EQ(map.GetColumns(), 3);
    ASSERT_EQ(map.GetRows(), 3);
    EXPECT_EQ(map.At(0, 0), ContentMap::Cell::Empty);
    EXPECT_EQ(map.At(1, 1), ContentMap::Cell::Mixed);
    EXPECT_EQ(map.At(2, 2), ContentMap::Cell::Opaque);
    EXPECT_TRUE(map.IsOpaque(0, 32, 96, 16));
    EXPECT_FALSE(map.IsOpaque(0, 31, 96, 17)) << "a transparent row above the band";
    EXPECT_FALSE(map.IsOpaque(0, 32, 97, 16)) << "a column outside the picture";
}

TEST(ContentMap, ADrawCoversOnlyItsCellsWithContentOpaqueFirst)
{
    const ContentMap map(BandAndDot());
    struct Case {
        const char* what;
        int left, top, width, height;
        std::vector<Piece> expected;
    };
    const Case cases[] = {
        {"the whole picture", 0, 0, 96, 48, {{0, 32, 96, 16, true}, {32, 16, 32, 16, false}}},
        {"a part cut inside cells", 36, 18, 50, 20, {{36, 32, 50, 6, true}, {36, 18, 28, 14, false}}},
        {"only empty cells", 0, 0, 96, 16, {}},
        {"outside the picture", 100, 0, 20, 20, {}},
        {"reaching past the picture's corner", 80, 40, 40, 40, {{80, 40, 16, 8, true}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<Piece> pieces = Cover(map, c.left, c.top, c.width, c.height);
        ASSERT_EQ(pieces.size(), c.expected.size());
        for (size_t i = 0; i < pieces.size(); ++i)
            EXPECT_TRUE(Same(pieces[i], c.expected[i])) << i << ": " << pieces[i].left << "," << pieces[i].top
                                                        << " " << pieces[i].width << "x" << pieces[i].height;
    }
}

TEST(ContentMap, RowsOfTheSameRunMergeAndScatteredRowsBecomeOneBlendedRun)
{
    // Every other cell of a 20-cell-wide, two-row picture holds a dot: more
    // runs than a row keeps apart.
    PixelImage scattered(20 * ContentMap::kCellWidth, 2 * ContentMap::kCellHeight);
    for (int column = 0; column < 20; column += 2)
        for (int y = 0; y < scattered.GetHeight(); y += ContentMap::kCellHeight)
            scattered.SetPixel(column * ContentMap::kCellWidth, y, 0xFFFFFFFFu);
    const std::vector<Piece> pieces
        = Cover(ContentMap(scattered), 0, 0, scattered.GetWidth(), scattered.GetHeight());
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_TRUE(Same(pieces[0], {0, 0, 19 * ContentMap::kCellWidth, 2 * ContentMap::kCellHeight, false}));

    // A fully opaque picture is one opaque piece.
    PixelImage solid(70, 40);
    solid.Fill(0xFF00FF00u);
    const std::vector<Piece> whole = Cover(ContentMap(solid), 0, 0, 70, 40);
    ASSERT_EQ(whole.size(), 1u);
    EXPECT_TRUE(Same(whole[0], {0, 0, 70, 40, true}));
}

} // namespace
