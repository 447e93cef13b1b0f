#include "scene/Layer.h"

#include "scene/CollisionWorld.h"
#include "tests/scene/LevelFixture.h"

#include "tests/engine/platform/DebugCapture.h"

#include <box2d/box2d.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace scenetest;

namespace {

class LayerGrid : public ::testing::Test, public GameLibrary {
protected:
    Layer& NewLayer(const std::string& name, int list = Level::kScene)
    {
        return *level.CreateLayer(list, name, nullptr, 512, 448, 32, 32);
    }

    // The cells (column, row) of a grid that hold the instance.
    static std::set<std::pair<int, int>> CellsOf(const CellGrid& grid, const Layer::Instance* instance)
    {
        std::set<std::pair<int, int>> cells;
        for (size_t c = 0; c < grid.size(); ++c) {
            for (size_t r = 0; r < grid[c].size(); ++r) {
                const auto& cell = grid[c][r];
                const auto n = std::count(cell.begin(), cell.end(), instance);
                EXPECT_LE(n, 1) << "filed twice in one cell";
                if (n != 0)
                    cells.insert({static_cast<int>(c), static_cast<int>(r)});
            }
        }
        return cells;
    }

    Level level {"grid"};
};

TEST_F(LayerGrid, InstancesAreFiledUnderTheCellsOfTheirCorners)
{
    struct Case {
        const char* what;
        Point<float> position;
        Point<int> size;
        Rect<int> bounds; // left, bottom, right, top
        std::set<std::pair<int, int>> cells;
    };
    const Case cases[] = {
        {"one whole screen", {0, 0}, {512, 448}, {0, 448, 512, 0}, {{0, 0}}},
        {"wider than a cell: not under the column between its corners", {500, 10}, {600, 100},
            {0, 448, 1536, 0}, {{0, 0}, {2, 0}}},
        {"across one column edge", {450, 10}, {100, 100}, {0, 448, 1024, 0}, {{0, 0}, {1, 0}}},
        {"left of the origin", {-10, 0}, {30, 32}, {-512, 448, 512, 0}, {{0, 0}, {1, 0}}},
        {"across one row edge", {100, 400}, {32, 100}, {0, 896, 512, 0}, {{0, 0}, {0, 1}}},
        {"across both edges", {500, 440}, {20, 20}, {0, 896, 1024, 0}, {{0, 0}, {1, 0}, {0, 1}, {1, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GraphicalObject object("Block");
        object.SetSize(c.size.x, c.size.y, true);
        CameraBlocker blocker("Stop");
        blocker.SetSize(c.size.x, c.size.y, true);
        Layer layer("Test", Level::kScene, nullptr, 512, 448, 32, 32);
        Layer::Instance* placed = layer.AddPlacedInstance(&object, c.position.x, c.position.y);
        Layer::Instance* stop = layer.AddPlacedInstance(&blocker, c.position.x, c.position.y);
        placed = layer.GetInstance(0); // the list grew: addresses changed
        stop = layer.GetInstance(1);
        EXPECT_EQ(layer.GetBounds(), c.bounds);
        EXPECT_EQ(CellsOf(layer.GetCellGrid(), placed), c.cells);
        // The blocker grid files a blocker under its first corner's cell only.
        EXPECT_EQ(
            CellsOf(layer.GetCameraBlockerGrid(), stop), (std::set<std::pair<int, int>> {*c.cells.begin()}));
        EXPECT_TRUE(CellsOf(layer.GetCameraBlockerGrid(), placed).empty());
        EXPECT_TRUE(CellsOf(layer.GetGameplayGrid(), stop).empty());
    }
}

TEST_F(LayerGrid, PointToCellTakesLeftAndTopEdgesAndLeavesRightAndBottomOut)
{
    Layer& empty = NewLayer("Empty");
    Point<int> cell;
    EXPECT_FALSE(empty.PointToCell(Point<int>(0, 0), &cell));
    EXPECT_TRUE(empty.GetCellGrid().empty());

    GraphicalObject big("Big");
    big.SetSize(1024, 896, true);
    Layer& layer = NewLayer("Big");
    layer.AddPlacedInstance(&big, 0, 0);
    struct Case {
        Point<int> point;
        bool inside;
        Point<int> cell;
    };
    const Case cases[] = {
        {{0, 0}, true, {0, 0}},
        {{511, 447}, true, {0, 0}},
        {{512, 0}, true, {1, 0}},
        {{0, 448}, true, {0, 1}},
        {{1023, 895}, true, {1, 1}},
        {{1024, 0}, false, {}},
        {{0, 896}, false, {}},
        {{-1, 0}, false, {}},
        {{0, -1}, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x << ", " << c.point.y);
        Point<int> found(-7, -7);
        EXPECT_EQ(layer.PointToCell(c.point, &found), c.inside);
        if (c.inside) {
            EXPECT_EQ(found, c.cell);
        }
    }
}

TEST_F(LayerGrid, CollisionsLayerIndexesSolidBoxesPlatformsAndLinesAndFollowsEveryChange)
{
    Layer& collisions = NewLayer("Collisions");
    collisions.AddPlacedInstance(&ground, 0, 0);
    collisions.AddPlacedInstance(&ledge, 200, 120);
    collisions.AddPlacedInstance(&slope, 600, 32);
    collisions.AddPlacedInstance(&hurt, 300, 32);
    // The hurt box (type 2) adds no body.
    EXPECT_EQ(level.GetCollisionWorld()->GetBodyCount(), 3);

    // Every body's record names a live instance of the layer and its shape.
    auto recordsAreLive = [&] {
        for (b2Fixture* fixture : level.QueryFixtures(Rect<int>(-1000, 1000, 2000, -1000))) {
            const CollisionBodyRecord* record = CollisionWorld::GetRecord(fixture->GetBody());
            ASSERT_NE(record, nullptr);
            EXPECT_NE(collisions.IndexOfInstance(record->instance), static_cast<unsigned>(-1));
            EXPECT_EQ(record->shapeIndex, 0);
        }
    };
    recordsAreLive();

    // A placed instance removed, or moved, takes its body along; the list
    // reallocates, the records follow.
    collisions.RemovePlacedInstance(0);
    EXPECT_EQ(level.GetCollisionWorld()->GetBodyCount(), 2);
    for (int i = 0; i < 20; ++i)
        collisions.AddPlacedInstance(&ledge, 1000.0f + 70.0f * static_cast<float>(i), 0);
    EXPECT_EQ(level.GetCollisionWorld()->GetBodyCount(), 22);
    recordsAreLive();
    collisions.SetInstancePosition(0, 5000, 0);
    EXPECT_EQ(level.QueryFixtures(Rect<int>(5000, 10, 5010, 0)).size(), 1u);
    EXPECT_TRUE(level.QueryFixtures(Rect<int>(-3000, -2000, -2990, -2010)).empty());

    // Added instances get their bodies recorded, and lose them when deleted
    // or when the world is rebuilt under them.
    Layer::Instance* added = collisions.AddGraphicalObject(&ground, 0, -500, true, 0);
    ASSERT_NE(added, nullptr);
    EXPECT_TRUE(added->IsOwned());
    EXPECT_NE(added->GetPrototype(), &ground);
    EXPECT_EQ(added->GetCollisionBodies().size(), 1u);
    EXPECT_EQ(level.GetCollisionWorld()->GetBodyCount(), 23);
    collisions.AddPlacedInstance(&ledge, 0, 900);
    EXPECT_EQ(level.GetCollisionWorld()->GetBodyCount(), 24);
    collisions.DeleteInstance(added);
    EXPECT_EQ(level.GetCollisionWorld()->GetBodyCount(), 23);
    collisions.DeleteInstance(added); // no longer there: nothing happens
    EXPECT_EQ(collisions.GetAddedInstanceCount(), 0u);
}

TEST_F(LayerGrid, RunTimeInstancesStayOutOfTheGridsAndTheFile)
{
    Layer& layer = NewLayer("Garden");
    EXPECT_EQ(layer.AddGraphicalObject(nullptr, 0, 0, true, 0), nullptr);
    EXPECT_EQ(layer.GetAddedInstanceCount(), 0u);

    layer.AddPlacedInstance(&tree, 0, 0);
    Layer::Instance* shared = layer.AddGraphicalObject(&tree, 10, 10, false, 0);
    EXPECT_EQ(shared->GetPrototype(), &tree);
    EXPECT_FALSE(shared->IsOwned());
    EXPECT_TRUE(shared->IsSkipSerialize());
    EXPECT_EQ(shared->GetLevel(), &level);
    EXPECT_TRUE(CellsOf(layer.GetCellGrid(), shared).empty());
    // Found by a point only when asked to look at the added instances.
    EXPECT_EQ(layer.GetInstanceAt(Point<int>(20, 50), false), layer.GetInstance(0));
    {
        DebugCapture debug;
        layer.RemovePlacedInstance(0);
        EXPECT_EQ(debug.Text(), "Memory leak create with RemoveGraphicalObject !\n");
    }
    EXPECT_EQ(layer.GetInstanceAt(Point<int>(20, 50), true), nullptr); // no bounds left

    layer.DeleteAddedInstanceAt(5);
    EXPECT_EQ(layer.GetAddedInstanceCount(), 1u);
    layer.Reset();
    EXPECT_EQ(layer.GetName(), "reset");
    EXPECT_EQ(layer.GetAddedInstanceCount(), 0u);
}

} // namespace
