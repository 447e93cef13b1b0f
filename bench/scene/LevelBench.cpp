#include "engine/render/IRenderEngine.h"
#include "engine/serial/LineReaders.h"
#include "game/Game.h"
#include "scene/Camera.h"
#include "scene/CollisionShape.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/SpacialInstance.h"
#include "scene/Sprite.h"
#include "tests/engine/render/RenderTestSupport.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A render engine that takes every draw and does nothing with it, so that a
// frame measures the layer's own work.
class CountingEngine : public rendertest::NullRenderEngine {
public:
    bool DrawSprite(ISprite*, IGraphicalSurface*, int, int, int, int, float, const Rect<int>*, bool) override
    {
        ++draws;
        return true;
    }
    long draws = 0;
};

// A game library of a few decorated objects and one solid block.
struct Library {
    Library()
    {
        for (int i = 0; i < 8; ++i) {
            auto object = std::make_unique<GraphicalObject>("Decor " + std::to_string(i));
            object->AddSpriteInstance(&sprite, 0, 0);
            object->AddGenericSpriteIndex(&sprite, 0);
            object->SetSize(32, 32, true);
            game.sceneObjects.push_back(object.get());
            objects.push_back(std::move(object));
        }
        block.SetSize(64, 32, true);
        block.CollisionShapeAt(0) = std::make_unique<CollisionBox<int>>(0, 31, 63, 0, 0);
        game.sceneObjects.push_back(&block);
    }
    // The game frees what its tables hold: these entries are the library's.
    ~Library() { game.sceneObjects.clear(); }
    Game game;
    Sprite sprite {"decor", "decor.png", 0, 0, 31, 31};
    std::vector<std::unique_ptr<GraphicalObject>> objects;
    GraphicalObject block {"Block"};
};

// The text of a layer record holding the placed instances.
void WriteLayer(std::ostream& os, const std::string& name,
    const std::vector<std::pair<GraphicalObject*, Point<float>>>& placed)
{
    WriteLine(os, std::string_view("LayerV0"));
    WriteLine(os, name);
    WriteLine(os, 32);
    WriteLine(os, 32);
    WriteLine(os, 1.0f);
    WriteLine(os, 1.0f);
    WriteLine(os, static_cast<uint32_t>(placed.size()));
    for (const auto& [object, p] : placed) {
        SpacialInstance<GraphicalObject, float> instance(object, p.x, p.y);
        instance.Serialize(os);
    }
    WriteLine(os, std::string_view("_Layer_updatetag_1.0_"));
    WriteLine(os, true);
    WriteLine(os, std::string_view("_Layer_updatetag_1.2_"));
    WriteLine(os, 0.0f);
}

// A level of `count` placed instances spread over a world `screens` screens
// wide and 8 high, a tenth of them in "Collisions" as solid blocks.
std::string MakeLevelText(Library& library, int count, int screens)
{
    uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    std::vector<std::pair<GraphicalObject*, Point<float>>> decor;
    std::vector<std::pair<GraphicalObject*, Point<float>>> blocks;
    for (int i = 0; i < count; ++i) {
        const auto x = static_cast<float>(next() % static_cast<uint32_t>(screens * 512));
        const auto y = static_cast<float>(next() % (8 * 448));
        if (i % 10 == 0)
            blocks.emplace_back(&library.block, Point<float>(x, y));
        else
            decor.emplace_back(library.objects[static_cast<size_t>(i % 8)].get(), Point<float>(x, y));
    }
    std::ostringstream os;
    WriteLine(os, std::string_view("LevelV0"));
    WriteLine(os, std::string_view("bench"));
    WriteLine(os, 0);
    WriteLine(os, 2);
    WriteLayer(os, "Decor", decor);
    WriteLayer(os, "Collisions", blocks);
    WriteLine(os, 0);
    WriteLine(os, std::string_view("_Level_updatetag_1.0_"));
    WriteLine(os, 0);
    WriteLine(os, 0.0f);
    WriteLine(os, 0.0f);
    return os.str();
}

void BM_LevelLoad(benchmark::State& state)
{
    Library library;
    const std::string text = MakeLevelText(library, static_cast<int>(state.range(0)), 40);
    for (auto _ : state) {
        std::istringstream is(text);
        Level level;
        if (!level.UnSerialize(is))
            state.SkipWithError("the level did not load");
        benchmark::DoNotOptimize(level.GetLayerCount(Level::kScene));
    }
    state.counters["lines"] = static_cast<double>(std::count(text.begin(), text.end(), '\n'));
}
BENCHMARK(BM_LevelLoad)->Arg(5000)->Unit(benchmark::kMillisecond);

// The floor of any reader of the same file: every line taken out of the
// stream into a string, the CR removed.
void BM_LevelReadAndSplit(benchmark::State& state)
{
    Library library;
    const std::string text = MakeLevelText(library, static_cast<int>(state.range(0)), 40);
    for (auto _ : state) {
        std::istringstream is(text);
        std::vector<std::string> lines;
        std::string line;
        while (std::getline(is, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(line);
        }
        benchmark::DoNotOptimize(lines.data());
    }
}
BENCHMARK(BM_LevelReadAndSplit)->Arg(5000)->Unit(benchmark::kMillisecond);

// One frame's passes over a level of N instances: culling and drawing
// (recording through the render engine), the object, zone and particle
// passes. The world grows with N so that about the same few hundred
// instances stand in the view.
void BM_FramePasses(benchmark::State& state)
{
    Library library;
    const int count = static_cast<int>(state.range(0));
    const std::string text = MakeLevelText(library, count, count / 500);
    std::istringstream is(text);
    Level level;
    if (!level.UnSerialize(is)) {
        state.SkipWithError("the level did not load");
        return;
    }
    CountingEngine engine;
    g_RenderEngine = &engine;
    Camera camera;
    camera.SetPosition(2048.0f, 896.0f);
    for (auto _ : state) {
        level.UpdateObjects(16.0);
        level.UpdateInstances();
        level.UpdatePlayerContacts();
        level.UpdateParticleSystems(16.0);
        level.Render(&camera);
    }
    g_RenderEngine = nullptr;
    state.counters["drawn"] = static_cast<double>(engine.draws) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_FramePasses)->Arg(5000)->Arg(50000)->Unit(benchmark::kMicrosecond);

} // namespace
