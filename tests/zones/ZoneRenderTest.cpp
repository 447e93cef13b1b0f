#include "scene/Sprite.h"
#include "tests/engine/platform/DebugCapture.h"
#include "zones/GameplayObject_Zone.h"
#include "zones/ZoneHolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

namespace {

// A zone type drawn with one square sprite (32 px unless told) that notes how
// it is drawn: where, at what size and with which copies of its sprite.
struct TiledZone : GameplayObject_Zone {
    explicit TiledZone(int side = 32)
        : GameplayObject_Zone("Tiled")
        , tile("tile", "tile.png", 0, 0, side, side)
    {
        AddSpriteInstance(&tile, 0, 0);
        AddGenericSpriteIndex(&tile, 0);
        SetSize(32, 48, true);
    }
    bool DrawSprite(DXGraphicalSurface*, int x, int y, int, int, float, int, int, int, int) override
    {
        at.push_back(Point<int>(x, y));
        sizes.push_back(GetSize());
        offsets.clear();
        for (int i = 0; i < GetSpriteInstanceCount(); ++i)
            offsets.push_back(GetSpriteInstance(i)->GetPosition());
        return true;
    }
    Sprite tile;
    std::vector<Point<int>> at, sizes, offsets;
};

// A zone draws wherever its layer draws its placed instances, debug mode or
// not.
TEST(ZoneRender, ASingleSpriteTilesTheZoneAsOneDrawOfTheZonesSize)
{
    TiledZone zone;
    ZoneHolder::Instance data;
    data.SetSize(Point<int>(80, 64));
    EXPECT_TRUE(zone.RenderInstance(nullptr, &data, 10, 20, 1.0f, 1.0f, 0.0f, 0, 0, 0, 0));
    // Three columns (the last cut at the zone's edge by the draw's size) and
    // two rows, in steps of the sprite's size; the picture moved by the
    // type's height less the zone's, 48 - 64, to stand on the zone's edge.
    EXPECT_EQ(zone.at, (std::vector<Point<int>> {{10, 4}}));
    EXPECT_EQ(zone.sizes, (std::vector<Point<int>> {{80, 64}}));
    EXPECT_EQ(
        zone.offsets, (std::vector<Point<int>> {{0, 0}, {32, 0}, {64, 0}, {0, 32}, {32, 32}, {64, 32}}));
    // The type is as it was.
    EXPECT_EQ(zone.GetSize(), Point<int>(32, 48));
    EXPECT_EQ(zone.GetSpriteInstanceCount(), 1);
    EXPECT_EQ(zone.GetDrawEntryCount(), 1);

    // A huge zone whose corner stands at the view's corner: the copies that
    // cover the view are all there (none beyond the zone's left and top
    // edges), not millions of them.
    data.SetSize(Point<int>(1 << 22, 1 << 22));
    zone.RenderInstance(nullptr, &data, 0, (1 << 22) - 48, 1.0f, 1.0f, 0.0f, 0, 0, 0, 0);
    EXPECT_EQ(zone.at.back(), Point<int>(0, 0));
    EXPECT_LT(zone.offsets.size(), 4096u);
    for (int ty = 0; ty < 448; ty += 32)
        for (int tx = 0; tx < 512; tx += 32)
            EXPECT_EQ(std::count(zone.offsets.begin(), zone.offsets.end(), Point<int>(tx, ty)), 1)
                << tx << "," << ty;
    EXPECT_EQ(zone.GetSpriteInstanceCount(), 1);

    // Smaller sprites over that zone: down to 4 px every copy over the view
    // is there; below, one draw adds at most kMaxTileCopies, one copy in
    // `stride` on each axis over the whole view, and the debug output says
    // so once.
    for (const auto& [side, stride] : {std::pair {8, 1}, {4, 1}, {2, 2}, {1, 4}}) {
        DebugCapture debug;
        TiledZone small(side);
        for (int draw = 0; draw < 2; ++draw)
            small.RenderInstance(nullptr, &data, 0, (1 << 22) - 48, 1.0f, 1.0f, 0.0f, 0, 0, 0, 0);
        EXPECT_LE(small.offsets.size(), static_cast<size_t>(GameplayObject_Zone::kMaxTileCopies)) << side;
        std::set<std::pair<int, int>> copies;
        for (const Point<int>& offset : small.offsets)
            copies.emplace(offset.x, offset.y);
        for (int ty = 0; ty < 448; ty += side * stride)
            for (int tx = 0; tx < 512; tx += side * stride)
                ASSERT_EQ(copies.count({tx, ty}), 1u) << side << ": " << tx << "," << ty;
        EXPECT_EQ(small.GetSpriteInstanceCount(), 1);
        EXPECT_EQ(small.GetDrawEntryCount(), 1);
        EXPECT_EQ(debug.Messages().size(), stride > 1 ? 1u : 0u) << side << ": " << debug.Text();
    }

    // A zone of no size shows the sprite once, at the zone's size.
    data.SetSize(Point<int>(0, 16));
    zone.RenderInstance(nullptr, &data, 10, 20, 1.0f, 1.0f, 0.0f, 0, 0, 0, 0);
    EXPECT_EQ(zone.at.back(), Point<int>(10, 52));
    EXPECT_EQ(zone.sizes.back(), Point<int>(0, 16));
    EXPECT_EQ(zone.offsets, (std::vector<Point<int>> {{0, 0}}));
}

} // namespace
