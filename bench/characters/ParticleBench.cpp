// One frame of 2,000 live particles: the local systems' update (age, blink,
// speeds, moves) and their recording as sprite commands for the render
// thread. Eight bursts of 250 particles, as eight characters dying at once.

#include "characters/LocalParticleSystem.h"
#include "characters/Particle.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/RenderPoolManager.h"
#include "game/Game.h"
#include "scene/GraphicalObject.h"
#include "scene/Sprite.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <sstream>
#include <vector>

namespace {

constexpr int kSystems = 8;
constexpr int kParticlesEach = 250;

// A definition as the game library reads it: 250 particles, a lifetime far
// beyond the run, so every particle stays alive.
std::unique_ptr<LocalParticleSystem> Definition()
{
    auto definition = std::make_unique<LocalParticleSystem>();
    std::ostringstream record;
    record << "Bench\r\n" << kParticlesEach << "\r\n0\r\nLocalParticleSystemV0\r\n0\r\n";
    for (float f : {1.0e9f, 2.0e9f, 1.0f, 3.0f, 2.0f, 6.0f, 20.0f, 20.0f, 0.0f, 1.0f, 60.0f, -0.1f, -0.5f,
             0.1f, -0.2f, 0.0f, 0.0f, 0.0f, 0.0f})
        record << f << "\r\n";
    record << "0\r\n0\r\n40\r\n20\r\n0\r\n";
    std::istringstream in(record.str());
    definition->UnSerialize(in);
    return definition;
}

void BM_ParticleFrame2000(benchmark::State& state)
{
    Game game;
    RenderPoolManager pool(false);
    DXRenderEngine engine;
    engine.SetRenderPool(&pool);
    Sprite spark("spark", "spark.png", 0, 0, 7, 7);
    GraphicalObject sparkObject("Spark");
    sparkObject.SetSize(8, 8, true);
    sparkObject.AddSpriteInstance(&spark, 0, 0);
    sparkObject.AddGenericSpriteIndex(&spark, 0);

    const std::unique_ptr<LocalParticleSystem> definition = Definition();
    std::vector<std::unique_ptr<LocalParticleSystem>> bursts;
    for (int i = 0; i < kSystems; ++i) {
        bursts.emplace_back(LocalParticleSystem::CopyConstruct(*definition));
        bursts.back()->SetPosition(Point<int>(40 + i * 55, 200));
        for (Particle* p : bursts.back()->GetLive())
            p->SetCurrentGraphical(&sparkObject);
    }
    size_t recorded = 0;
    for (auto _ : state) {
        pool.ClearCurrentFrame();
        for (auto& burst : bursts)
            burst->Update(33.0);
        for (auto& burst : bursts)
            burst->Draw(nullptr, Point<int>(0, 448));
        recorded = pool.GetFillCommands().size();
        benchmark::DoNotOptimize(recorded);
    }
    state.counters["commands"] = static_cast<double>(recorded);
    engine.SetRenderPool(nullptr);
}
BENCHMARK(BM_ParticleFrame2000)->Unit(benchmark::kMicrosecond);

} // namespace
