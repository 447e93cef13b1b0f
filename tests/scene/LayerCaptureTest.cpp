#include "engine/render/DXRenderEngine.h"
#include "engine/render/GE_Fade.h"
#include "engine/render/RenderPoolManager.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/SpacialInstance.h"
#include "scene/Sprite.h"
#include "tests/scene/SceneHost.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The game as a cut-scene leaves it: one layer shown above the darkening,
// and a capture state.
class CaptureHost : public SceneHost {
public:
    bool IsCapturedLayer(const Layer* layer) override { return layer == captured; }
    int GetCaptureState() override { return captureState; }
    const Layer* captured = nullptr;
    int captureState = 0;
};

// A layer drawn into a frame recorded for the render thread.
class LayerCapture : public testing::Test {
protected:
    LayerCapture()
    {
        for (GraphicalObject* object : {&tree, &bolt}) {
            object->AddSpriteInstance(&leaf, 0, 0);
            object->AddGenericSpriteIndex(&leaf, 0);
            object->SetSize(16, 16, true);
        }
    }
    ~LayerCapture() override { g_DeferredCommands.clear(); }

    const std::vector<RenderPoolCommand>& Frame() { return pool->GetFillCommands(); }
    void Draw() { layer.Draw(Point<int>(0, 0)); }

    CaptureHost host;
    DXRenderEngine engine;
    RenderPoolManager* pool = engine.SetRenderPool(new RenderPoolManager(false));
    Sprite leaf {"leaf", "leaf.png", 0, 0, 16, 16};
    GraphicalObject tree {"Tree"};
    GraphicalObject bolt {"Projectile_Crossbow_GraphicalIdleL"};
    GE_Fade fade {30, false};
    Layer layer {"Scene Layer 00", Level::kScene, nullptr, 512, 448, 32, 32};
};

TEST_F(LayerCapture, ACutSceneLayersDrawsAreCopiedWithEffectsOfTheirOwn)
{
    layer.AddPlacedInstance(&tree, 100, 100);
    layer.AddGraphicalObject(&tree, 200, 100, false, 0)->SetEffect(&fade);
    Draw();
    EXPECT_TRUE(g_DeferredCommands.empty()) << "a layer the cut-scene does not show is not copied";
    ASSERT_EQ(Frame().size(), 2u);

    pool->ClearCurrentFrame();
    pool->AddCommand(RenderPoolCommand::Named("StartRendering")); // recorded before the layer
    host.captured = &layer;
    Draw();
    ASSERT_EQ(Frame().size(), 3u);
    ASSERT_EQ(g_DeferredCommands.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        const RenderPoolCommand &drawn = Frame()[i + 1], &copy = g_DeferredCommands[i];
        EXPECT_EQ(copy.GetImage(), drawn.GetImage());
        EXPECT_EQ(copy.GetPosition(), drawn.GetPosition());
        EXPECT_EQ(copy.GetColour(), drawn.GetColour());
        EXPECT_EQ(copy.GetEffect() != nullptr, drawn.GetEffect() != nullptr) << i;
    }
    ASSERT_NE(g_DeferredCommands[1].GetEffect(), nullptr);
    EXPECT_NE(g_DeferredCommands[1].GetEffect(), Frame()[2].GetEffect()) << "the copy owns a clone";
}

TEST_F(LayerCapture, TheCrossbowCutSceneCopiesOnlyTheCrossbowOnThePlayersLayer)
{
    layer.AddGraphicalObject(&tree, 100, 100, false, 0);
    layer.AddGraphicalObject(&bolt, 200, 100, false, 0);
    layer.SetHostsPlayer(true);
    host.captureState = 1;
    Draw();
    EXPECT_TRUE(g_DeferredCommands.empty()) << "not in another cut-scene";
    host.captureState = 3;
    Draw();
    ASSERT_EQ(g_DeferredCommands.size(), 1u);
    EXPECT_EQ(g_DeferredCommands[0].GetPosition(), Frame().back().GetPosition());

    g_DeferredCommands.clear(); // not on another layer
    layer.SetHostsPlayer(false);
    Draw();
    EXPECT_TRUE(g_DeferredCommands.empty());
}

} // namespace
