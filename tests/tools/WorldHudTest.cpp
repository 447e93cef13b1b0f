#include "characters/Player.h"
#include "engine/config/GamePaths.h"
#include "game/Game.h"
#include "game/GameSaveData.h"
#include "scene/MapModel.h"
#include "scene/SpacialInstance.h"
#include "tools/world/ArtPainter.h"
#include "tools/world/ArtRecipe.h"
#include "ui/UI_Frame_Player.h"

#include "tests/engine/render/RenderTestSupport.h"
#include "tests/game/ScriptedInput.h"
#include "tests/tools/WorldFolderTest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <string>

// The HUD's banners in the assembled world: the Lantern Ring's save point
// shows "SAVED" for its animation's length, once, and its teleporter's
// discovery shows "NEW GATE".
namespace {

constexpr float kTile = 32.0f;

class WorldHud : public WorldFolderTest {
protected:
    WorldHud()
        : WorldFolderTest("quenholt-hud")
    {
    }

    void SetUp() override
    {
        WorldFolderTest::SetUp();
        if (IsSkipped())
            return;
        ASSERT_TRUE(StartAsTheProgramDoes(game));
        SetUserPath(folder.string() + "/");
        game.currentSaveSlot = 0;
    }
    void TearDown() override
    {
        SetUserPath("");
        WorldFolderTest::TearDown();
    }

    UI_Frame_Player* Hud() { return dynamic_cast<UI_Frame_Player*>(game.uiFrames.at(1)->GetPrototype()); }
    bool Shows(GraphicalObject* banner) { return banner != nullptr && !banner->IsAnimationFinished(); }
    // Update passes of one fixed step each (the banners run on the game clock).
    void Passes(int count)
    {
        for (int pass = 0; pass < count; ++pass)
            fixedStep.Pass(game);
    }
    // Walks toward the tile's x by the walk keys; false when it never gets there.
    bool WalkTo(float tileX)
    {
        const float x = tileX * kTile;
        for (int pass = 0; pass < 400; ++pass) {
            const float at = game.GetPlayer()->GetPosition().x;
            if (std::abs(at - x) < kTile / 2)
                return true;
            input->next = InputActions();
            input->next.x = x > at ? 1.0f : -1.0f;
            fixedStep.Pass(game);
        }
        return false;
    }

    ScriptedInput* input = new ScriptedInput();
    Game game {"Quenholt", nullptr, input, nullptr};
};

TEST_F(WorldHud, TheLanternRingsSaveAndTeleporterShowTheirBanners)
{
    game.SetStartPointName("start");
    ASSERT_TRUE(game.ChangeLevel("cimetery_tp_01.lvl"));
    // As a started save slot has it: the map the save records.
    game.minimapModel = std::make_unique<MapModel>(MapModel::Minimap {});
    ASSERT_NE(game.GetPlayer(), nullptr);
    ASSERT_NE(Hud(), nullptr);
    GraphicalObject* saved = Hud()->GetSaveMessage();
    GraphicalObject* gate = Hud()->GetTeleportMessage();
    ASSERT_NE(saved, nullptr);
    ASSERT_NE(gate, nullptr);
    Passes(3);
    EXPECT_FALSE(Shows(saved));

    // The teleporter, first seen: "NEW GATE".
    ASSERT_TRUE(WalkTo(17.0f));
    EXPECT_TRUE(Shows(gate));
    EXPECT_FALSE(Shows(saved));

    // The save point: "SAVED" from the frame it saves, for its 45 frames of
    // 33 ms, then gone, though "NEW GATE" still shows.
    for (int pass = 0; pass < 400 && !std::filesystem::exists(GameSaveData::GetSlotPath(0)); ++pass) {
        input->next = InputActions();
        input->next.x = -1.0f;
        fixedStep.Pass(game);
    }
    input->next = InputActions();
    ASSERT_TRUE(std::filesystem::exists(GameSaveData::GetSlotPath(0)));
    EXPECT_TRUE(Shows(saved));
    EXPECT_TRUE(Shows(gate)) << "the walk from the ring is shorter than the banner";
    int shown = 0;
    for (; Shows(saved) && shown < 300; ++shown)
        Passes(1);
    EXPECT_FALSE(Shows(saved));
    EXPECT_GE(shown, 45) << "at least its 45 frames";
    // Once a level load: standing in the zone again saves nothing more.
    ASSERT_TRUE(WalkTo(13.0f));
    ASSERT_TRUE(WalkTo(9.0f));
    EXPECT_FALSE(Shows(saved));
}

// The rows of the HUD's top bar, as its picture draws them (below them the
// level shows through the HUD's frame).
int TopBarHeight()
{
    ArtBook book;
    book.ReadFile(std::string(QUENHOLT_SOURCE_DIR) + "/data/art/ui_hud.txt");
    const ArtObject* hud = book.Find("UI_Player_Frame");
    if (hud == nullptr)
        return 0;
    const PixelImage bar = ArtPainter(book, 1).Paint(*hud, 0);
    int rows = 0;
    while (rows < bar.GetHeight() && (bar.GetPixel(0, rows) >> 24) == 0xFF)
        ++rows;
    return rows;
}

// Whether any sprite of the object was drawn.
bool Drew(const rendertest::SpriteRecorder& recorder, GraphicalObject& object)
{
    for (const ObjectDrawEntry& entry : object.GetObjectDrawEntries())
        if (recorder.drawn.count(entry.sprite) != 0)
            return true;
    return false;
}

// Whether a sprite of the object was drawn cut to a part of its picture that
// holds the point (in the picture's pixels).
bool DrewAround(const rendertest::SpriteRecorder& recorder, GraphicalObject& object, Point<int> point)
{
    for (const ObjectDrawEntry& entry : object.GetObjectDrawEntries()) {
        const auto cut = recorder.sources.find(entry.sprite);
        if (cut != recorder.sources.end() && cut->second.x0 <= point.x && point.x < cut->second.x1
            && cut->second.y0 <= point.y && point.y < cut->second.y1)
            return true;
    }
    return false;
}

// Once the map is found, the HUD's minimap window shows the known cells under
// the rooms' outlines, the screen-sized picture cut to the window; the full
// map then shows them whole.
TEST_F(WorldHud, TheMapsOutlinesShowInTheHudsWindowAndOnTheFullMap)
{
    game.SetStartPointName("start");
    ASSERT_TRUE(game.ChangeLevel("cemetery_01.lvl"));
    game.minimapModel = std::make_unique<MapModel>(MapModel::Minimap {});
    GraphicalObject* outlines = game.minimapModel->GetGlobalMinimap();
    ASSERT_NE(outlines, nullptr);
    ASSERT_NE(Hud(), nullptr);
    game.GetPlayer()->minimapEnabled = true; // what the map pickup gives
    Passes(3);
    ASSERT_GE(game.minimapModel->GetCurrentLocation().x, 0);

    rendertest::SpriteRecorder recorder;
    Hud()->DrawSprite(nullptr, 0, 0, 0, 0, 0.0f, 0, 0, 0, 0);
    const bool hudDrewOutlines = Drew(recorder, *outlines);
    // The window shows the outlines round the Warden's cell, as it shows the cells.
    const Point<int> cell = game.minimapModel->GetCurrentLocation();
    const bool hudDrewOutlinesRoundThePlayer
        = DrewAround(recorder, *outlines, Point<int>(10 * cell.x + 5, 10 * cell.y + 5));
    const bool hudDrewWindow = !recorder.drawn.empty();
    // The window's frame stands inside the HUD's top bar, its corners too.
    GraphicalObject* frame = game.FindGraphicalObject("UI_Player_MinimapForeground", false);
    ASSERT_NE(frame, nullptr);
    for (const ObjectDrawEntry& entry : frame->GetObjectDrawEntries()) {
        ASSERT_TRUE(recorder.drawn.count(entry.sprite));
        const int top = recorder.drawn[entry.sprite].y;
        EXPECT_GE(top, 0);
        EXPECT_LE(top + frame->GetSize().y, TopBarHeight()) << "the frame hangs below the bar";
    }
    EXPECT_EQ(outlines->GetSize(), Point<int>(512, 448)) << "whole again after the window";
    recorder.drawn.clear();
    // The full map, as Tab opens it.
    game.teleportMap.mapMode = 0;
    game.UpdateTeleportMenu(nullptr, Point<int>(0, 0), Point<int>(0, 0), Point<int>(512, 448));
    const bool mapDrewOutlines = Drew(recorder, *outlines);

    EXPECT_TRUE(hudDrewWindow);
    EXPECT_TRUE(hudDrewOutlines);
    EXPECT_TRUE(hudDrewOutlinesRoundThePlayer);
    EXPECT_TRUE(mapDrewOutlines);
}

} // namespace
