// One frame's end on the GL device (Mesa's software renderer when run
// headless): the full post chain (brightness, motion blur, then the final
// copy to the window through its effect) against the final copy alone. The
// frame itself is only a clear, so the figures are the passes' own cost.

#include "bench/render/BenchFrame.h"
#include "engine/render/D3DDevice.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/RenderPoolManager.h"
#include "engine/render/ShaderEffect_PostProcess.h"
#include "game/Game.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>

namespace {

class PostFrame {
public:
    PostFrame()
    {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
        previous = std::filesystem::current_path();
        std::filesystem::current_path(QUENHOLT_SOURCE_DIR); // the "fx" folder
        engine = std::make_unique<DXRenderEngine>();
        pool = engine->SetRenderPool(new RenderPoolManager());
        while (pool->idle.load() == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (pool->startFailed.load())
            return;
        pool->RequestLoadEffects();
        finalCopy
            = std::make_unique<ShaderEffect_PostProcess>(engine->FindShaderRes("BasicPostEffect_Point"));
        brightness = std::make_unique<ShaderEffect_PostProcess>(engine->FindShaderRes("fullFX_Brightness"));
        brightness->SetInputValue(14.0f);
        moBlur = std::make_unique<ShaderEffect_PostProcess_TimeDependent>(
            engine->FindShaderRes("fullFX_MoBlur"), 100.0f, false, 0.0f, 0.0f, false, 2);
        moBlur->Advance(40.0f);
    }

    ~PostFrame()
    {
        finalCopy.reset();
        brightness.reset();
        moBlur.reset();
        engine.reset();
        std::filesystem::current_path(previous);
    }

    bool Usable() const { return !pool->startFailed.load() && finalCopy->GetProgram(); }

    void Record(bool chain)
    {
        BeginBenchFrame(*pool, 0xFF406080u);
        pool->AddCommand(RenderPoolCommand::Named("EndRendering"));
        if (chain) {
            pool->AddCommand(RenderPoolCommand::Named("StretchBackbuffer false", moBlur->Clone()));
            pool->AddCommand(RenderPoolCommand::Named("StretchBackbuffer false", brightness->Clone()));
        }
        pool->AddCommand(RenderPoolCommand::Named("StretchBackbuffer true", finalCopy->Clone()));
    }

    // Hands the frame over and waits until the render thread has shown it.
    void Replay(bool chain)
    {
        ReplayBenchFrame(*pool, [this, chain] { Record(chain); });
    }

    std::filesystem::path previous;
    Game game;
    std::unique_ptr<DXRenderEngine> engine;
    RenderPoolManager* pool = nullptr;
    std::unique_ptr<ShaderEffect_PostProcess> finalCopy;
    std::unique_ptr<ShaderEffect_PostProcess> brightness;
    std::unique_ptr<ShaderEffect_PostProcess_TimeDependent> moBlur;
};

// Argument 0: the final copy alone; 1: motion blur and brightness first.
void BM_FrameEnd(benchmark::State& state)
{
    const bool chain = state.range(0) != 0;
    PostFrame frame;
    if (!frame.Usable()) {
        state.SkipWithError("no GL device or no effects");
        return;
    }
    frame.Record(chain);
    frame.Replay(chain);
    for (auto _ : state) {
        frame.Record(chain);
        frame.Replay(chain);
    }
}
BENCHMARK(BM_FrameEnd)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
