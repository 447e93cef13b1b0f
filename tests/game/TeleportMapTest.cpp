#include "game/TeleportMap.h"

#include "game/GameStartup.h"
#include "scene/GraphicalObject.h"
#include "scene/SpacialInstance.h"
#include "scene/Sprite.h"
#include "tests/game/WorldTeleportHubs.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Records what the map draws: "rect x0 y0 x1 y1 colour" and "name x y".
class RecordingCanvas : public MapCanvas {
public:
    void FillRect(const Rect<int>& box, uint32_t colour) override
    {
        rects.push_back(box);
        colours.push_back(colour);
    }
    void DrawObject(GraphicalObject& object, Point<int> at) override
    {
        objects.push_back(object.GetName() + " " + std::to_string(at.x) + " " + std::to_string(at.y));
        // The size and the first sprite's place the object is drawn with.
        const auto* sprite = object.GetSpriteInstanceCount() > 0 ? object.GetSpriteInstance(0) : nullptr;
        shapes.push_back({object.GetSize(), sprite != nullptr ? sprite->GetPosition() : Point<int>()});
    }
    std::vector<std::string> ObjectsNamed(const std::string& name) const
    {
        std::vector<std::string> found;
        for (const std::string& entry : objects) {
            if (entry.rfind(name + " ", 0) == 0)
                found.push_back(entry);
        }
        return found;
    }
    void Clear()
    {
        rects.clear();
        colours.clear();
        objects.clear();
        shapes.clear();
    }

    std::vector<Rect<int>> rects;
    std::vector<uint32_t> colours;
    std::vector<std::string> objects;
    std::vector<std::pair<Point<int>, Point<int>>> shapes;
};

class TeleportMapTest : public testing::Test {
protected:
    void SetUp() override
    {
        const char* names[]
            = {"Minimap_TP_Cross", "Minimap_Player_Cross", "Minimap_Story_Hint", "Minimap_TP_UI_BkGround",
                "Minimap_TP_UI_RectAvailable", "Minimap_TP_UI_RectSelect", "Minimap_TP_UI_RectPlayer"};
        for (size_t i = 0; i < TeleportMap::kMarkerCount; ++i) {
            objects.push_back(std::make_unique<GraphicalObject>(names[i]));
            objects.back()->SetSize(8, 10, false);
            map.markers[i] = objects.back().get();
        }
        view.cell = [this](int x, int y) { return cells[static_cast<size_t>(x * 44 + y)]; };
        view.teleports = &teleports;
        view.currentLevel = "cimetery_tp_01.lvl";
        view.currentCell = Point<int>(12, 22);
    }

    // One call on a full 512 x 448 screen.
    bool Frame(float x = 0.0f, float previousX = 0.0f, bool confirm = false, bool confirmBefore = false)
    {
        canvas.Clear();
        view.pressed = InputActions();
        view.previous = InputActions();
        view.pressed.x = x;
        view.previous.x = previousX;
        view.pressed.Action1 = confirm;
        view.previous.Action1 = confirmBefore;
        return map.Update(canvas, view, Point<int>(0, 0), Point<int>(0, 0), Point<int>(512, 448));
    }

    WorldTeleportHubs hubs;
    std::vector<std::unique_ptr<GraphicalObject>> objects;
    std::array<int32_t, 51 * 44> cells {};
    std::vector<TeleportInfo> teleports;
    TeleportMap::View view;
    TeleportMap map;
    RecordingCanvas canvas;
};

TEST_F(TeleportMapTest, CursorMovesOncePerPressAndSkipsTheCurrentHub)
{
    teleports = {TeleportInfo {"tp_cave", "cave_tp.lvl", {21, 23}},
        TeleportInfo {"tp_ring", "cimetery_tp_01.lvl", {12, 22}},
        TeleportInfo {"tp_dock", "boat_tp_1.lvl", {10, 22}}, TeleportInfo {"tp_far", "Far_Away.lvl", {1, 1}}};
    map.mapMode = 1;
    // Row order is the hubs' order: ring, dock, cave; "Far_Away" is not a hub.
    EXPECT_FALSE(Frame());
    EXPECT_EQ(map.cursor, 1) << "starts on the current hub and steps off it";
    EXPECT_EQ(canvas.ObjectsNamed("Minimap_TP_UI_BkGround"),
        (std::vector<std::string> {"Minimap_TP_UI_BkGround 172 434"}));
    EXPECT_EQ(canvas.ObjectsNamed("Minimap_TP_UI_RectAvailable"),
        (std::vector<std::string> {"Minimap_TP_UI_RectAvailable 187 434",
            "Minimap_TP_UI_RectAvailable 203 434", "Minimap_TP_UI_RectAvailable 219 434"}));
    EXPECT_EQ(canvas.ObjectsNamed("Minimap_TP_UI_RectSelect"),
        (std::vector<std::string> {"Minimap_TP_UI_RectSelect 203 434"}));
    EXPECT_EQ(canvas.ObjectsNamed("Minimap_TP_UI_RectPlayer"),
        (std::vector<std::string> {"Minimap_TP_UI_RectPlayer 187 434"}));
    // The cross on the dock's cell (10, 22): (101 + 4 - 4, 220 + 5 - 5).
    EXPECT_EQ(
        canvas.ObjectsNamed("Minimap_TP_Cross"), (std::vector<std::string> {"Minimap_TP_Cross 101 220"}));

    struct Step {
        float x, previousX;
        int cursor;
    };
    for (const Step& step : {Step {1.0f, 0.0f, 2}, Step {1.0f, 1.0f, 2}, Step {1.0f, 0.0f, 1},
             Step {0.0f, 1.0f, 1}, Step {-1.0f, 0.0f, 2}, Step {-1.0f, -1.0f, 2}}) {
        EXPECT_FALSE(Frame(step.x, step.previousX));
        EXPECT_EQ(map.cursor, step.cursor) << "x " << step.x << " after " << step.previousX;
    }

    EXPECT_FALSE(Frame(0.0f, 0.0f, true, true)) << "a held confirmation chooses nothing";
    EXPECT_TRUE(Frame(0.0f, 0.0f, true, false));
    EXPECT_EQ(map.chosenLevel, "cave_tp.lvl");
    EXPECT_EQ(map.cursor, -1);
    EXPECT_EQ(map.mapMode, 0);

    // Without the row's pictures the row draws nothing.
    map.mapMode = 1;
    for (size_t marker :
        {TeleportMap::TpBackground, TeleportMap::TpAvailable, TeleportMap::TpSelect, TeleportMap::TpPlayer})
        map.markers[marker] = nullptr;
    EXPECT_FALSE(Frame());
    EXPECT_TRUE(canvas.rects.empty());
    EXPECT_EQ(canvas.objects,
        (std::vector<std::string> {"Minimap_TP_Cross 101 220", "Minimap_Player_Cross 121 220"}));
}

TEST_F(TeleportMapTest, OnlyTheCurrentHubStaysAndConfirmsNothing)
{
    teleports = {TeleportInfo {"tp_ring", "cimetery_tp_01.lvl", {12, 22}}};
    map.mapMode = 1;
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(Frame(1.0f, 0.0f, true, false));
        EXPECT_EQ(map.cursor, 0);
        EXPECT_EQ(map.mapMode, 1);
    }
}

TEST_F(TeleportMapTest, RowAndMarkersOnlyWhenTheyApply)
{
    map.mapMode = 1;
    // No teleporter discovered: the map and the player's cross, no row.
    EXPECT_FALSE(Frame());
    EXPECT_TRUE(canvas.ObjectsNamed("Minimap_TP_UI_BkGround").empty());
    EXPECT_EQ(canvas.ObjectsNamed("Minimap_Player_Cross").size(), 1u);

    // Teleporters, but none of a hub: nothing after the global map.
    teleports = {TeleportInfo {"tp_far", "Far_Away.lvl", {1, 1}}};
    EXPECT_FALSE(Frame());
    EXPECT_TRUE(canvas.objects.empty());

    // Map mode 0: markers only inside the 51 x 44 grid; a hint only when its x
    // is not 0.
    map.mapMode = 0;
    struct Case {
        Point<int> current;
        std::pair<int, int> hint;
        size_t players, hints;
    };
    for (const Case& c : {Case {{12, 22}, {0, 5}, 1, 0}, Case {{-1, -1}, {5, 6}, 0, 1},
             Case {{51, 3}, {60, 2}, 0, 0}, Case {{50, 43}, {-1, -1}, 1, 0}}) {
        view.currentCell = c.current;
        view.storyHint = c.hint;
        Frame();
        EXPECT_EQ(canvas.ObjectsNamed("Minimap_Player_Cross").size(), c.players)
            << c.current.x << "," << c.current.y;
        EXPECT_EQ(canvas.ObjectsNamed("Minimap_Story_Hint").size(), c.hints) << c.hint.first;
    }
    view.storyHint = {5, 6};
    Frame();
    EXPECT_EQ(
        canvas.ObjectsNamed("Minimap_Story_Hint"), (std::vector<std::string> {"Minimap_Story_Hint 51 60"}));
}

TEST_F(TeleportMapTest, CellsColouredByStateAndNeverTheLastColumnOrRow)
{
    cells.fill(1);
    cells[0 * 44 + 1] = 2;
    cells[3 * 44 + 3] = 0;
    map.mapMode = 2;
    canvas.Clear();
    EXPECT_TRUE(map.Update(canvas, view, Point<int>(0, 0), Point<int>(0, 0), Point<int>(600, 500)));
    EXPECT_EQ(canvas.rects.size(), 50u * 43u - 1u);
    for (const Rect<int>& box : canvas.rects) {
        EXPECT_LT(box.x0, 500) << "column 50 is never drawn";
        EXPECT_LT(box.y0, 430) << "row 43 is never drawn";
    }
    EXPECT_EQ(canvas.rects[0], Rect<int>(0, 0, 10, 10));
    EXPECT_EQ(canvas.colours[0], TeleportMap::kVisitedColour);
    EXPECT_EQ(canvas.rects[1], Rect<int>(0, 10, 10, 20));
    EXPECT_EQ(canvas.colours[1], TeleportMap::kRevealedColour);
    EXPECT_TRUE(canvas.objects.empty()) << "no markers in map mode 2";

    // A small view clamps the squares into itself; the rooms' outlines are
    // drawn cut to it and shifted with the cells, then are whole again.
    Sprite outlines("GlobalMinimap", "globalminimap.png", 0, 0, 511, 447);
    GraphicalObject globalMap("GlobalMinimap");
    globalMap.AddSpriteInstance(&outlines, 0, 0);
    globalMap.SetSize(512, 448, true);
    view.globalMap = &globalMap;
    canvas.Clear();
    map.Update(canvas, view, Point<int>(100, 50), Point<int>(-5, 0), Point<int>(25, 15));
    for (const Rect<int>& box : canvas.rects) {
        EXPECT_GE(box.x0, 100);
        EXPECT_LE(box.x1, 124);
        EXPECT_LE(box.y1, 64);
    }
    EXPECT_EQ(canvas.objects, (std::vector<std::string> {"GlobalMinimap 100 50"}));
    ASSERT_EQ(canvas.shapes.size(), 1u);
    EXPECT_EQ(canvas.shapes[0].first, Point<int>(25, 15));
    EXPECT_EQ(canvas.shapes[0].second, Point<int>(-5, 0));
    EXPECT_EQ(globalMap.GetSize(), Point<int>(512, 448));
    EXPECT_EQ(globalMap.GetSpriteInstance(0)->GetPosition(), Point<int>());
}

TEST_F(TeleportMapTest, ViewFollowsTheScrollTarget)
{
    const auto call = [&](Point<int> scroll) {
        canvas.Clear();
        map.Update(canvas, view, Point<int>(0, 0), scroll, Point<int>(100, 100));
    };
    call(Point<int>(40, 40));
    EXPECT_EQ(map.mapView, Point<float>(40.0f, 40.0f)) << "from rest: at once";
    view.frameFlag = true;
    call(Point<int>(40, 59));
    EXPECT_EQ(map.mapView, Point<float>(40.0f, 41.0f)) << "19 pixels: one pixel per call";
    call(Point<int>(40, 59));
    EXPECT_EQ(map.mapView, Point<float>(40.0f, 42.0f));
    view.frameFlag = false;
    call(Point<int>(40, 59));
    EXPECT_EQ(map.mapView, Point<float>(40.0f, 42.0f)) << "only on update frames";
    view.frameFlag = true;
    call(Point<int>(60, 42));
    EXPECT_EQ(map.mapView, Point<float>(60.0f, 42.0f)) << "20 pixels: at once";
}

} // namespace
