#include "game/DrawDebugBox.h"

#include "characters/CharacterObject.h"
#include "characters/Player.h"
#include "game/Game.h"
#include "game/GameLoopAccess.h"
#include "scene/Camera.h"
#include "scene/CollisionShape.h"
#include "scene/GraphicalObject.h"
#include "tests/engine/render/RenderTestSupport.h"
#include "tests/game/FixedStepClock.h"
#include "tests/game/RectLog.h"
#include "tests/game/ScriptedInput.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <vector>

namespace {

class DebugBoxes : public testing::Test {
protected:
    DebugBoxes() { game.GetCamera().SetPosition(100.0f, 50.0f); }

    std::vector<RectDraw> draws;
    FixedStepClock fixedStep;
    ScriptedInput* input = new ScriptedInput();
    Game game {"Quenholt", new RectLog(draws), input, nullptr};
};

TEST_F(DebugBoxes, ABoxIsOutlinedWhereTheCameraShowsIt)
{
    // The view spans x 100 to 611 and y 50 (its bottom row) to 497 (its top).
    const struct {
        Rect<int> box;
        RectDraw expected;
    } cases[] = {
        {Rect<int>(100, 497, 131, 466), {0, 0, 32, 32, 0xFF9614FFu, false}},     // top left
        {Rect<int>(100, 81, 131, 50), {0, 416, 32, 32, 0xFF9614FFu, false}},     // bottom left
        {Rect<int>(131, 50, 100, 81), {0, 416, 32, 32, 0xFF9614FFu, false}},     // given turned over
        {Rect<int>(600, 300, 619, 251), {500, 197, 20, 50, 0xFF9614FFu, false}}, // across the right edge
        {Rect<int>(90, 40, 90, 40), {-10, 457, 1, 1, 0xFF9614FFu, false}},       // one pixel outside
    };
    for (const auto& c : cases) {
        draws.clear();
        DrawDebugBox(c.box, 0xFF9614FFu);
        ASSERT_EQ(draws.size(), 1u);
        EXPECT_EQ(draws[0], c.expected) << c.box.x0 << "," << c.box.y0;
    }
    // Beyond any screen: nothing is drawn, nothing overflows.
    draws.clear();
    DrawDebugBox(Rect<int>(INT_MAX - 5, INT_MIN + 5, INT_MAX, INT_MIN), 0xFFFFFFFFu);
    DrawDebugBox(Rect<int>(INT_MIN, INT_MAX, INT_MIN + 3, INT_MAX - 3), 0xFFFFFFFFu);
    EXPECT_TRUE(draws.empty());
}

TEST_F(DebugBoxes, TheQueueIsDrawnInOrderAndEmptiedOnTheNextUpdateFrame)
{
    game.console.debugBoxes.push_back({Rect<int>(100, 497, 101, 496), 0x6414C8FAu});
    game.console.debugBoxes.push_back({Rect<int>(110, 497, 111, 496), 0x6414C8FFu});
    DrawDebugBoxList();
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0], (RectDraw {0, 0, 2, 2, 0x6414C8FAu, false}));
    EXPECT_EQ(draws[1], (RectDraw {10, 0, 2, 2, 0x6414C8FFu, false}));

    game.menuFlag = false;
    game.frameDelay = 0;
    fixedStep.Pass(game);
    ASSERT_NE(game.fixedStepTick, 0);
    EXPECT_TRUE(game.console.debugBoxes.empty());
}

TEST_F(DebugBoxes, DrawRectOutlinesTheHurtBoxesOfTheLiveCharactersOverTheLevel)
{
    GraphicalObject body("Body");
    body.CollisionShapeAt(0) = std::make_unique<CollisionBox<int>>(0, 31, 15, 0, 2);
    auto skull = std::make_unique<CharacterObject>("Skull");
    skull->SetCurrentGraphical(&body);
    skull->SetPosition(Point<float>(200.0f, 100.0f));
    game.liveCharacters.push_back(skull.get());
    game.console.debugBoxes.push_back({Rect<int>(100, 497, 101, 496), 0xFFFFFFFFu});
    GameLoopAccess loop(game);

    loop.RenderLevel();
    EXPECT_EQ(draws, (std::vector<RectDraw> {{0, 0, 2, 2, 0xFFFFFFFFu, false}})) << "the queue only";
    draws.clear();
    game.console.ExecuteCommand("drawrect npc_hitzone 1");
    loop.RenderLevel();
    // The outlines first, then the queue.
    EXPECT_EQ(draws,
        (std::vector<RectDraw> {{100, 366, 16, 32, 0x6414C8FAu, false}, {0, 0, 2, 2, 0xFFFFFFFFu, false}}));
    game.liveCharacters.clear();
}

TEST_F(DebugBoxes, DrawRectTakesTheTwoZoneNamesOnly)
{
    game.SetPlayer(std::make_unique<Player>("Player"));
    game.GetPlayer()->SetPosition(Point<float>(200.0f, 100.0f));
    GameLoopAccess loop(game);
    // Not one of its names: nothing is outlined.
    game.console.ExecuteCommand("drawrect player_collision 1");
    loop.RenderLevel();
    EXPECT_TRUE(draws.empty());
}

} // namespace
