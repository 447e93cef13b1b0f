#include "characters/PlayerArmorFire.h"
#include "characters/PlayerArmorIce.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(IceSeeds, PlayerOnTheGridSeedsEightCellsOffTheGridTen)
{
    using Cells = std::vector<Point<int>>;
    struct Case {
        Point<float> player;
        Cells seeds;
    };
    const Case cases[] = {
        {{64, 96}, Cells {{64, 96}, {32, 96}, {96, 96}, {128, 96}, {64, 64}, {32, 64}, {96, 64}, {128, 64}}},
        {{70, 96},
            Cells {{64, 96}, {32, 96}, {96, 96}, {128, 96}, {160, 96}, {160, 64}, {64, 64}, {32, 64},
                {96, 64}, {128, 64}}},
        // Negative coordinates round down too; -32 is on the grid.
        {{-32, -10},
            Cells {{-32, -32}, {-64, -32}, {0, -32}, {32, -32}, {-32, -64}, {-64, -64}, {0, -64}, {32, -64}}},
        {{-33, 0},
            Cells {{-64, 0}, {-96, 0}, {-32, 0}, {0, 0}, {32, 0}, {32, -32}, {-64, -32}, {-96, -32},
                {-32, -32}, {0, -32}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlayerArmorIce::SeedCells(c.player), c.seeds) << c.player.x << ", " << c.player.y;
}

TEST(IceSeeds, FloorToCellRoundsTowardsMinusInfinity)
{
    const std::pair<int, int> cases[]
        = {{0, 0}, {31, 0}, {32, 32}, {-1, -32}, {-32, -32}, {-33, -64}, {-64, -64}};
    for (const auto& [value, cell] : cases)
        EXPECT_EQ(PlayerArmorIce::FloorToCell(value), cell) << value;
}

TEST(FireRings, DistanceAlongEachAxisAndTheDiagonalPicksTheRing)
{
    const Point<int> p(1000, 1000);
    struct Case {
        Point<int> offset;
        int ring;
    };
    const Case cases[] = {
        {{0, 0}, 1},
        {{32, 0}, 1},
        {{0, 32}, 1},
        {{32, 32}, 1},
        {{33, 0}, 2},
        {{64, 0}, 2},
        {{0, -64}, 2},
        {{65, 0}, 3},
        {{96, 0}, 3},
        {{64, 32}, 3},
        {{48, 48}, 4},
        {{128, 0}, 4},
        {{0, -128}, 4},
        {{96, 32}, 4},
        {{129, 0}, 0},
        {{96, 64}, 0},
        {{80, 80}, 0},
    };
    for (const Case& c : cases) {
        const Point<int> q(p.x + c.offset.x, p.y + c.offset.y);
        EXPECT_EQ(PlayerArmorFire::RingOf(p, q), c.ring) << c.offset.x << ", " << c.offset.y;
        const Point<int> mirrored(p.x - c.offset.x, p.y - c.offset.y);
        EXPECT_EQ(PlayerArmorFire::RingOf(p, mirrored), c.ring)
            << "mirrored " << c.offset.x << ", " << c.offset.y;
    }
}

TEST(FireRings, NearestEdgePointIsOnTheSideFacingThePlayer)
{
    const Rect<int> tile(100, 131, 131, 100); // (100, 100) to (131, 131), y up
    struct Case {
        Point<int> player;
        Point<int> nearest;
    };
    const Case cases[] = {
        {{0, 110}, {100, 110}}, {{200, 110}, {131, 110}}, {{110, 0}, {110, 100}}, {{110, 300}, {110, 131}},
        {{0, 0}, {100, 100}}, {{110, 110}, {110, 110}}, // inside: the point itself
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlayerArmorFire::NearestEdgePoint(c.player, tile), c.nearest)
            << c.player.x << ", " << c.player.y;
}

} // namespace
