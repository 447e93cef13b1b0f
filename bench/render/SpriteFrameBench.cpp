// A frame of 2,000 sprite draws recorded on the main thread and replayed by
// the render thread on the GL device (Mesa's software renderer when run
// headless). Reported per frame. Consecutive draws of one texture go to the
// device together; with two images alternating every draw is its own call,
// and the software renderer pays for each texture change.

#include "bench/render/BenchFrame.h"
#include "engine/config/GamePaths.h"
#include "engine/render/D3DDevice.h"
#include "engine/render/DXGraphicalRessource.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/ImageHandleManager.h"
#include "engine/render/PixelImage.h"
#include "engine/render/RenderPoolManager.h"
#include "game/Game.h"
#include "scene/Sprite.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kDraws = 2000;

class SpriteFrame {
public:
    // With alternate, every other sprite comes from a second image, so no
    // two draws in a row share a texture.
    explicit SpriteFrame(bool alternate = false)
    {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
        folder = std::filesystem::temp_directory_path() / ("quenholt_bench_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        PixelImage picture(32, 32);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                picture.SetPixel(
                    x, y, 0xFF000000u | (uint32_t(x * 8) << 16) | (uint32_t(y * 8) << 8) | 0x40u);
        picture.SavePng((folder / "tile.png").string());
        picture.SavePng((folder / "other.png").string());
        SetBasePath(folder.string() + "/");

        engine = std::make_unique<DXRenderEngine>();
        pool = engine->SetRenderPool(new RenderPoolManager());
        while (pool->idle.load() == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        for (int i = 0; i < 4; ++i)
            sprites.push_back(std::make_unique<Sprite>(
                "tile", (alternate && i % 2) ? "other.png" : "tile.png", i * 8, 0, i * 8 + 15, 15));
    }

    ~SpriteFrame()
    {
        sprites.clear();
        engine.reset();
        ImageHandleManager::DestroyInstance();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    bool Usable() const { return !pool->startFailed.load(); }

    void Record()
    {
        BeginBenchFrame(*pool);
        for (int i = 0; i < kDraws; ++i)
            engine->DrawSprite(sprites[i % sprites.size()].get(), nullptr, (i * 37) % 496, (i * 53) % 432, 0,
                0, (i % 10 == 0) ? 30.0f : 0.0f, nullptr, false);
        EndBenchFrame(*pool);
    }

    // Hands the frame over and waits until the render thread has drawn it.
    void Replay()
    {
        ReplayBenchFrame(*pool, [this] { Record(); });
    }

    std::filesystem::path folder;
    Game game;
    std::unique_ptr<DXRenderEngine> engine;
    RenderPoolManager* pool = nullptr;
    std::vector<std::unique_ptr<Sprite>> sprites;
};

void BM_RecordAndReplay2000Sprites(benchmark::State& state)
{
    SpriteFrame frame(state.range(0) != 0);
    if (!frame.Usable()) {
        state.SkipWithError("no GL device");
        return;
    }
    frame.Record();
    frame.Replay(); // loads the image once
    for (auto _ : state) {
        frame.Record();
        frame.Replay();
    }
    state.counters["draws"] = static_cast<double>(frame.engine->GetDrawCount());
}
// Argument 0: one image for every draw; 1: two images, alternating.
BENCHMARK(BM_RecordAndReplay2000Sprites)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// What the frame above costs without its recording: the same 2,000 quads of
// the one image handed to the engine's own device layer directly on the
// render thread, with the same clear and final copy, and nothing recorded
// or replayed. The quads carry the texture's content map, as the engine's
// draws do, so the device does the same work (opaque parts unblended, quads
// that later ones hide dropped). It bounds the recording, the replay and
// the per-draw bookkeeping only: the drawing is the engine's in both, so it
// is no floor of the drawing itself (the bare GL program of bench/floor is
// that, for the whole frame of the CPU benchmark).
void BM_DeviceWithoutRecording2000Quads(benchmark::State& state)
{
    SpriteFrame frame;
    if (!frame.Usable()) {
        state.SkipWithError("no GL device");
        return;
    }
    frame.Record();
    frame.Replay(); // loads the image
    const SpriteImage image = frame.sprites[0]->GetSpriteImage();
    GLTexture* texture = image.texture ? image.texture->GetTexture() : nullptr;
    if (!texture) {
        state.SkipWithError("no image");
        return;
    }
    const int w = image.rect.x1 - image.rect.x0 + 1;
    const int h = image.rect.y1 - image.rect.y0 + 1;
    const ContentMap* content = texture->GetContent();
    auto draw = [&] {
        BindDrawTarget(0, 512, 448);
        ClearTarget(0xFF000000u);
        for (int i = 0; i < kDraws; ++i)
            DrawTexturedQuad(float((i * 37) % 496), float((i * 53) % 432), texture->GetTextureWidth(),
                texture->GetTextureHeight(), image.point, (i % 10 == 0) ? 30.0f : 0.0f, image.rect.x0,
                image.rect.y0, w, h, 0xFFFFFFFFu, texture->GetName(), content);
        FlushQuads();
        ApplyFinalPostEffect(frame.engine.get(), false);
    };
    for (auto _ : state)
        frame.pool->RunOnRenderThread(draw);
}
BENCHMARK(BM_DeviceWithoutRecording2000Quads)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Record2000Sprites(benchmark::State& state)
{
    SpriteFrame frame;
    if (!frame.Usable()) {
        state.SkipWithError("no GL device");
        return;
    }
    for (auto _ : state)
        frame.Record();
    frame.pool->ClearCurrentFrame();
}
BENCHMARK(BM_Record2000Sprites)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
