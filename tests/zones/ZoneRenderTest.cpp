#include "scene/Sprite.h"
#include "zones/GameplayObject_Zone.h"
#include "zones/ZoneHolder.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A zone type drawn with one 32 x 32 sprite that notes where it is drawn.
struct TiledZone : GameplayObject_Zone {
    TiledZone()
        : GameplayObject_Zone("Tiled")
    {
        AddSpriteInstance(&tile, 0, 0);
        SetSize(32, 32, true);
    }
    bool DrawSprite(DXGraphicalSurface*, int x, int y, int, int, float, int, int, int, int) override
    {
        draws.push_back(Point<int>(x, y));
        return true;
    }
    Sprite tile {"tile", "tile.png", 0, 0, 31, 31};
    std::vector<Point<int>> draws;
};

// A zone draws wherever its layer draws its placed instances, debug mode or
// not.
TEST(ZoneRender, ASingleSpriteTilesTheZone)
{
    TiledZone zone;
    ZoneHolder::Instance data;
    data.SetSize(Point<int>(96, 64));
    EXPECT_TRUE(zone.RenderInstance(nullptr, &data, 10, 20, 1.0f, 1.0f, 0.0f, 0, 0, 0, 0));
    // Three columns and two rows, the picture moved by 32 - 64 to stand on
    // the zone's edge.
    EXPECT_EQ(zone.draws,
        (std::vector<Point<int>> {{10, -12}, {42, -12}, {74, -12}, {10, 20}, {42, 20}, {74, 20}}));

    // A huge zone draws the sprite once instead of millions of times.
    zone.draws.clear();
    data.SetSize(Point<int>(1 << 22, 1 << 22));
    zone.RenderInstance(nullptr, &data, 0, 0, 1.0f, 1.0f, 0.0f, 0, 0, 0, 0);
    EXPECT_EQ(zone.draws.size(), 1u);
}

} // namespace
