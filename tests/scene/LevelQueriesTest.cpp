#include "scene/Level.h"

#include "engine/render/DXGraphicalSurface.h"

#include "scene/BackgroundEvent.h"
#include "scene/Camera.h"
#include "scene/Layer.h"
#include "scene/SceneObjectInstance.h"
#include "tests/engine/render/RenderTestSupport.h"
#include "tests/scene/LevelFixture.h"

#include <gtest/gtest.h>

using namespace scenetest;

namespace {

// A payload that counts its spawns.
struct SpawnCounter : SceneObjectInstance {
    bool Serialize(std::ostream&) override { return true; }
    bool UnSerialize(std::istream&) override { return true; }
    std::string GetVersionedClassName() override { return "Zone_Save::InstanceV0"; }
    void Spawn(int x, int y, Level*) override
    {
        ++spawns;
        at = Point<int>(x, y);
    }
    int spawns = 0;
    Point<int> at;
};

class LevelQueries : public ::testing::Test, public GameLibrary {
protected:
    LevelQueries() { g_RenderEngine = &engine; }
    ~LevelQueries() override { g_RenderEngine = nullptr; }

    Layer* Add(int list, const std::string& name, float sx = 1.0f, float sy = 1.0f)
    {
        Layer* layer = level.CreateLayer(list, name, nullptr, 512, 448, 32, 32);
        layer->SetScrollFactor(sx, sy);
        return layer;
    }

    rendertest::NullRenderEngine engine;
    Level level {"queries"};
    Camera camera;
};

TEST_F(LevelQueries, RenderDrawsBackgroundSceneForegroundInDepthOrderAtTheScrolledOrigin)
{
    const char* names[] = {"B0", "B1", "B2", "S0", "S1", "F0"};
    const int lists[] = {0, 0, 0, 2, 2, 1};
    const float factors[] = {0.5f, 1.0f, 1.0f, 1.0f, 1.0f, 2.0f};
    for (int i = 0; i < 6; ++i)
        Add(lists[i], names[i], factors[i], 1.0f)->AddPlacedInstance(&hill, 300, 100);
    camera.SetPosition(100, 20);
    level.Render(&camera);

    ASSERT_EQ(draws.size(), 6u);
    const float depths[] = {-3, -2, -1, 0, 1, 2};
    for (size_t i = 0; i < 6; ++i) {
        SCOPED_TRACE(names[i]);
        EXPECT_EQ(draws[i].depth, depths[i]);
        // x = position - camera x times the factor; y from the view's top
        // (camera y + 448) down to the instance's top (y + 64).
        EXPECT_EQ(draws[i].x, 300 - static_cast<int>(100 * factors[i]));
        EXPECT_EQ(draws[i].y, 20 + 448 - (100 + 64));
    }
    EXPECT_TRUE(level.GetLayerAt(Level::kScene, 0)->GetHostsPlayer());
    EXPECT_FALSE(level.GetLayerAt(Level::kScene, 1)->GetHostsPlayer());
    EXPECT_EQ(level.GetLayerAt(Level::kScene, 1)->GetSurface()->GetSize(), camera.GetViewSize());

    draws.clear();
    level.Render(nullptr);
    EXPECT_TRUE(draws.empty());
}

TEST_F(LevelQueries, LayerDrawVisitsTheViewsCellsOnceEachAndAutoScrollsOnTicks)
{
    Layer* layer = Add(Level::kBackground, "Hills");
    layer->AddPlacedInstance(&fern, 500, 0);    // spans the first two columns
    layer->AddPlacedInstance(&hill, 1100, 0);   // third column, out of the view
    layer->AddPlacedInstance(&hill, 200, 2000); // far above the view
    layer->Draw(Point<int>(0, 0));
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].object, "Fern");

    // Scrolling by 2 a tick over a layer 1536 wide: every instance drawn
    // twice, the second copy one layer width to the left.
    draws.clear();
    game.fixedStepTick = 1;
    layer->SetAutoScrollSpeed(2.0f);
    layer->Draw(Point<int>(0, 0));
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].x, 502);
    EXPECT_EQ(draws[1].x, 502 - 1536);
    for (int i = 1; i < 768; ++i)
        layer->Draw(Point<int>(0, 0));
    EXPECT_EQ(layer->GetAutoScrollOffset(), 0.0f); // 1536 reached: wrapped
    game.fixedStepTick = 0;
    layer->Draw(Point<int>(0, 0));
    EXPECT_EQ(layer->GetAutoScrollOffset(), 0.0f); // no tick, no step

    // Without its placed instances a layer draws only the visible added ones
    // near the view.
    draws.clear();
    layer->SetDrawPlacedInstances(false);
    layer->AddGraphicalObject(&sky, 100, 100, false, 0);
    layer->AddGraphicalObject(&sky, 5000, 100, false, 0);
    layer->AddGraphicalObject(&sky, 120, 100, false, 0)->SetVisible(false);
    layer->Draw(Point<int>(0, 0));
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].x, 100);
}

TEST_F(LevelQueries, LayersAreFoundByExactNameAndScrollFactor)
{
    Add(Level::kScene, "Garden", 1.0f, 0.5f);
    Layer* collisions = Add(Level::kScene, "Collisions");
    Layer* hidden = Add(Level::kScene, "Hidden");
    hidden->SetDrawPlacedInstances(false);
    Layer* last = Add(Level::kScene, "Last");

    EXPECT_EQ(level.GetLayer(Level::kScene, "Collisions"), collisions);
    EXPECT_EQ(level.GetLayer(Level::kScene, "collisions"), nullptr);
    EXPECT_EQ(level.GetLayer(Level::kForeground, "Collisions"), nullptr);
    EXPECT_EQ(level.GetLayer(7, "Collisions"), nullptr);
    EXPECT_EQ(level.GetFirstLayer(Level::kScene, -1.0f, -1.0f)->GetName(), "Garden");
    EXPECT_EQ(level.GetFirstLayer(Level::kScene, 1.0f, 1.0f), collisions);
    EXPECT_EQ(level.GetLastLayer(Level::kScene, 1.0f, 1.0f), last);
    EXPECT_EQ(level.GetFirstLayer(Level::kForeground, -1.0f, -1.0f), nullptr);
    EXPECT_EQ(level.GetLayerCount(Level::kScene), 4);
    EXPECT_EQ(level.GetLayerCount(3), 0);
    level.DeleteLayer(Level::kScene, 9);
    level.DeleteLayer(Level::kScene, 0);
    EXPECT_EQ(level.GetFirstLayer(Level::kScene, -1.0f, -1.0f), collisions);
}

TEST_F(LevelQueries, SpawningReachesEachPayloadOnceAndPurgingKeepsWhatRuns)
{
    Layer* layer = Add(Level::kScene, "Zones");
    layer->AddPlacedInstance(&zone, 500.7f, 10.2f); // its corners lie in two cells
    auto* counter = new SpawnCounter;
    layer->GetInstance(0)->SetPayload(std::unique_ptr<SceneObjectInstance>(counter));
    level.SpawnInstances();
    EXPECT_EQ(counter->spawns, 1);
    EXPECT_EQ(counter->at, Point<int>(500, 10));
    EXPECT_EQ(level.FindInstanceByClass("Zone_Save::InstanceV0", Level::kScene), layer->GetInstance(0));
    EXPECT_EQ(level.FindInstanceByClass("Zone_Save::InstanceV0", Level::kBackground), nullptr);

    EXPECT_EQ(level.AddBackgroundEvent(nullptr), nullptr);
    auto* done = level.AddBackgroundEvent(new BackgroundEvent("done"));
    auto* running = level.AddBackgroundEvent(new BackgroundEvent("running"));
    auto* kept = level.AddBackgroundEvent(new BackgroundEvent("kept"));
    done->SetFinished(true);
    kept->SetFinished(true);
    kept->SetAutoDelete(false);
    level.PurgeBackgroundEvents();
    ASSERT_EQ(level.GetBackgroundEventCount(), 2u);
    EXPECT_EQ(level.GetBackgroundEvent(0), running);
    EXPECT_EQ(level.GetBackgroundEvent(1), kept);
}

TEST(LevelMinimap, ScreenOriginFloorsToWholeScreensOnBothSidesOfZero)
{
    const std::pair<Point<int>, Point<int>> cases[] = {
        {{-1, 449}, {-512, 448}},
        {{-512, -448}, {-512, -448}},
        {{-513, -449}, {-1024, -896}},
        {{0, 0}, {0, 0}},
        {{1023, 447}, {512, 0}},
    };
    for (const auto& [position, screen] : cases)
        EXPECT_EQ(Level::MinimapScreenOrigin(position), screen) << position.x << ", " << position.y;
}

} // namespace
