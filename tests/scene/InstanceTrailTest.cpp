#include "scene/SpacialInstance.h"

#include "engine/render/DXRenderEngine.h"
#include "engine/render/GE_Blink.h"
#include "engine/render/RenderPoolManager.h"
#include "scene/TrailFrame.h"
#include "tests/scene/SceneHost.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A prototype whose draw records one sprite command in the current frame,
// as a recording render engine does.
struct RecordingPrototype {
    static RecordingPrototype* FindReference(const std::string&, Level*) { return nullptr; }
    bool SerializePtr(std::ostream&) { return true; }
    Point<int> GetSize() const { return Point<int>(16, 16); }
    bool Draw(DXGraphicalSurface*, int x, int y, float, float, float, int, int, int, int)
    {
        RenderPoolManager* pool = g_RenderEngine->GetRenderPool();
        if (pool == nullptr)
            return false; // drawing immediately: nothing is recorded
        RenderPoolCommand::RecordedState state;
        state.diffuseColour = colour;
        std::unique_ptr<GraphicalEffect> effect;
        if (withEffect)
            effect = std::make_unique<GE_Blink>();
        pool->AddCommand(RenderPoolCommand::SpriteDraw(
            nullptr, std::move(effect), Point<int>(x, y), Point<int>(16, 16), 0.0f, nullptr, state));
        return true;
    }
    uint32_t colour = 0xFFFFFFFFu;
    bool withEffect = false;
};

using Placed = SpacialInstance<RecordingPrototype, float>;

class InstanceTrailTest : public ::testing::Test {
protected:
    InstanceTrailTest() { engine.SetRenderPool(&pool); }
    ~InstanceTrailTest() override { engine.SetRenderPool(nullptr); }

    // One frame: a fresh frame slot, the instance drawn, the slot's commands.
    std::vector<RenderPoolCommand>& DrawFrame(Placed& placed)
    {
        pool.ClearCurrentFrame();
        placed.Draw(nullptr, Point<int>(0, 448));
        return pool.GetFillCommands();
    }

    RenderPoolManager pool {false};
    DXRenderEngine engine;
    RecordingPrototype prototype;
};

TEST_F(InstanceTrailTest, MovingInstanceLeavesFadedAfterImagesBehindIt)
{
    Placed placed(&prototype, 0.0f, 0.0f);
    placed.SetTrailLength(5);
    for (int frame = 0; frame < 6; ++frame) {
        placed.SetPosition(10.0f * frame, 0.0f);
        DrawFrame(placed);
    }
    placed.SetPosition(60.0f, 0.0f);
    const std::vector<RenderPoolCommand>& commands = DrawFrame(placed);
    ASSERT_EQ(commands.size(), 6u);
    const uint32_t alphas[5] = {25, 66, 107, 147, 188};
    for (size_t i = 0; i < 5; ++i) {
        // Oldest first, each where it was drawn (the camera stood still).
        EXPECT_EQ(commands[i].GetPosition().x, static_cast<int>(10 * (i + 1))) << i;
        EXPECT_EQ(commands[i].GetColour(), (alphas[i] << 24) | 0x00FFFFFFu) << i;
    }
    // The instance itself comes last, at its own colour.
    EXPECT_EQ(commands[5].GetPosition(), Point<int>(60, 448 - 16));
    EXPECT_EQ(commands[5].GetColour(), 0xFFFFFFFFu);

    // Invisible: nothing is drawn or replayed and the trail stays as it was;
    // setting the length it already has keeps the after-images too.
    placed.SetVisible(false);
    EXPECT_TRUE(DrawFrame(placed).empty());
    placed.SetVisible(true);
    placed.SetTrailLength(5);
    EXPECT_EQ(DrawFrame(placed).size(), 6u);
}

TEST_F(InstanceTrailTest, TintedAndEffectCommandsKeepTheirLook)
{
    Placed placed(&prototype, 0.0f, 0.0f);
    placed.SetTrailLength(3);
    prototype.colour = 0xFF204080u;
    DrawFrame(placed);
    prototype.colour = 0xFFFFFFFFu;
    prototype.withEffect = true;
    DrawFrame(placed);
    prototype.withEffect = false;
    const std::vector<RenderPoolCommand>& commands = DrawFrame(placed);
    ASSERT_EQ(commands.size(), 3u);
    EXPECT_EQ(commands[0].GetColour(), 0xFF204080u);
    EXPECT_EQ(commands[0].GetEffect(), nullptr);
    // The replayed command carries its own clone of the effect, unfaded.
    ASSERT_NE(commands[1].GetEffect(), nullptr);
    EXPECT_EQ(commands[1].GetColour(), 0xFFFFFFFFu);
}

TEST_F(InstanceTrailTest, AfterImagesStayWhereTheyWereDrawnWhileTheCameraTravels)
{
    SceneHost game;
    game.cameraPosition = Point<float>(100.9f, 50.2f);
    Placed placed(&prototype, 200.0f, 0.0f);
    placed.SetTrailLength(1);
    const Point<int> drawn = DrawFrame(placed).at(0).GetPosition();

    // The camera went 30 right and 20 up (level y grows upward): on screen
    // the after-image moves 30 left and 20 down.
    game.cameraPosition = Point<float>(130.0f, 70.0f);
    const std::vector<RenderPoolCommand>& commands = DrawFrame(placed);
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].GetPosition(), drawn + Point<int>(-30, 20));
    EXPECT_EQ(TrailFrame::Snapshot(commands.size(), Point<int>()), nullptr);
}

} // namespace
