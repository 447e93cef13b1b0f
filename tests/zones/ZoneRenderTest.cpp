#include "scene/Sprite.h"
#include "zones/GameplayObject_Zone.h"
#include "zones/ZoneHolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// A zone type drawn with one 32 x 32 sprite that notes how it is drawn: where,
// at what size and with which copies of its sprite.
struct TiledZone : GameplayObject_Zone {
    TiledZone()
        : GameplayObject_Zone("Tiled")
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
    Sprite tile {"tile", "tile.png", 0, 0, 32, 32};
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

    // A zone of no size shows the sprite once, at the zone's size.
    data.SetSize(Point<int>(0, 16));
    zone.RenderInstance(nullptr, &data, 10, 20, 1.0f, 1.0f, 0.0f, 0, 0, 0, 0);
    EXPECT_EQ(zone.at.back(), Point<int>(10, 52));
    EXPECT_EQ(zone.sizes.back(), Point<int>(0, 16));
    EXPECT_EQ(zone.offsets, (std::vector<Point<int>> {{0, 0}}));
}

} // namespace
