#include "scene/MapModel.h"

#include "scene/GraphicalObject.h"
#include "tests/scene/RecordText.h"
#include "tests/scene/SceneHost.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(MapModelGrid, CellsOutsideTheFiftyOneByFortyFourGridReadMinusOneAndIgnoreWrites)
{
    MapModel map;
    EXPECT_EQ(map.GetCurrentLocation(), Point<int>(-1, -1));
    for (int x = 0; x < MapModel::kColumns; ++x)
        for (int y = 0; y < MapModel::kRows; ++y)
            ASSERT_EQ(map.GetCell(x, y), 0);

    map.SetCell(50, 43, 2);
    map.SetCell(3, 7, 1);
    EXPECT_EQ(map.GetCell(50, 43), 2);
    EXPECT_EQ(map.GetCells()[3 * 44 + 7], 1); // column by column
    for (auto [x, y] : {std::pair {51, 0}, {0, 44}, {-1, 0}, {0, -1}, {-1, 5}}) {
        map.SetCell(x, y, 1);
        EXPECT_EQ(map.GetCell(x, y), -1) << x << ", " << y;
    }
    int set = 0;
    for (int32_t cell : map.GetCells())
        set += cell != 0;
    EXPECT_EQ(set, 2);

    MapModel::Grid saved {};
    saved[0] = 1;
    map.CopyVisitedCells(saved);
    EXPECT_EQ(map.GetCell(0, 0), 1);
    EXPECT_EQ(map.GetCell(50, 43), 0);
}

TEST(MapModelRecords, RecordsReadWriteBackAndADamagedCountStopsAtTheFirstFailure)
{
    SceneHost game;
    GraphicalObject second("minimap 2");
    GraphicalObject global("GlobalMinimap");
    game.sceneObjects = {&second, &global};

    const std::string text = "MapModelV0\r\n1\r\nCemetery\r\n3\r\n-4\r\n1\r\n2\r\n0\r\n1\r\n7\r\n-8\r\n9\r\n";
    MapModel map;
    std::istringstream is(text);
    ASSERT_TRUE(map.UnSerialize(is));
    ASSERT_EQ(map.GetRecords().size(), 1u);
    const MapRecord& record = *map.GetRecords()[0];
    EXPECT_EQ(record.name, "Cemetery");
    EXPECT_EQ(record.second, -4);
    EXPECT_TRUE(record.flag);
    ASSERT_EQ(record.cellLists.size(), 2u);
    EXPECT_TRUE(record.cellLists[0].empty());
    EXPECT_EQ(record.cellLists[1], (std::vector<std::array<int32_t, 3>> {{7, -8, 9}}));
    EXPECT_EQ(Write(map), text);
    EXPECT_EQ(map.GetMinimapObject(1), &second);
    EXPECT_EQ(map.GetMinimapObject(0), nullptr);
    EXPECT_EQ(MapModel(MapModel::Minimap {}).GetGlobalMinimap(), &global);

    // A count of four billion records over a short text: the reading stops
    // at the first field that fails and the model keeps only what it held.
    std::istringstream damaged("MapModelV0\r\n4294967295\r\nA\r\n1\r\n2\r\n0\r\n0\r\nB\r\nx\r\n");
    EXPECT_FALSE(map.UnSerialize(damaged));
    ASSERT_EQ(map.GetRecords().size(), 1u);
    EXPECT_EQ(map.GetRecords()[0]->name, "Cemetery");
    game.sceneObjects.clear(); // the objects are this test's
}

} // namespace
