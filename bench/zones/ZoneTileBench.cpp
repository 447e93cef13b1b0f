// One frame that draws a zone of 4,096 x 4,096 pixels tiled with a square
// sprite of 32, 4 or 1 px over the whole view, as the "Collisions" layer draws
// it: the copies added and taken out on the main thread, their draws recorded
// and replayed by the render thread on the GL device (Mesa's software
// renderer when run headless). Reported per frame, with the copies drawn.

#include "bench/render/BenchFrame.h"
#include "engine/config/GamePaths.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/ImageHandleManager.h"
#include "engine/render/PixelImage.h"
#include "engine/render/RenderPoolManager.h"
#include "game/Game.h"
#include "scene/Sprite.h"
#include "zones/ZoneHolder.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kZoneSide = 4096;

// A zone type drawn with one square sprite of the given side; it counts the
// copies each draw hands to the engine.
class CountingZone : public ZoneHolder {
public:
    explicit CountingZone(int side)
        : ZoneHolder("BenchZone")
        , tile("tile", "tile.png", 0, 0, side, side)
    {
        AddSpriteInstance(&tile, 0, 0);
        AddGenericSpriteIndex(&tile, 0);
    }
    bool DrawSprite(DXGraphicalSurface* target, int x, int y, int p5, int p6, float rotation, int originX,
        int originY, int clipWidth, int clipHeight) override
    {
        copies = GetDrawEntryCount();
        return ZoneHolder::DrawSprite(
            target, x, y, p5, p6, rotation, originX, originY, clipWidth, clipHeight);
    }

    Sprite tile;
    int copies = 0;
};

class ZoneFrame {
public:
    explicit ZoneFrame(int side)
        : zone(side)
    {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
        folder
            = std::filesystem::temp_directory_path() / ("quenholt_zone_bench_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        PixelImage picture(32, 32);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                picture.SetPixel(x, y, 0x80000000u | (uint32_t(x * 8) << 16) | (uint32_t(y * 8) << 8));
        picture.SavePng((folder / "tile.png").string());
        SetBasePath(folder.string() + "/");
        engine = std::make_unique<DXRenderEngine>();
        pool = engine->SetRenderPool(new RenderPoolManager());
        while (pool->idle.load() == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        data.SetSize(Point<int>(kZoneSide, kZoneSide));
    }

    ~ZoneFrame()
    {
        engine.reset();
        ImageHandleManager::DestroyInstance();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    bool Usable() const { return !pool->startFailed.load(); }

    // The zone's upper-left corner above and left of the view's, so that its
    // copies reach past every edge of the view (a zone stands on its lower
    // edge: the draw's y is the type's own top).
    void Record()
    {
        const int top = -1000;
        BeginBenchFrame(*pool);
        zone.RenderInstance(
            nullptr, &data, -1000, top + kZoneSide - zone.GetSize().y, 1.0f, 1.0f, 0.0f, 0, 0, 0, 0);
        EndBenchFrame(*pool);
    }

    // Hands the frame over and waits until the render thread has drawn it.
    void Replay()
    {
        ReplayBenchFrame(*pool, [this] { Record(); });
    }

    std::filesystem::path folder;
    Game game;
    CountingZone zone;
    ZoneHolder::Instance data;
    std::unique_ptr<DXRenderEngine> engine;
    RenderPoolManager* pool = nullptr;
};

// Argument: the sprite's side in pixels.
void BM_ZoneTiledOverTheView(benchmark::State& state)
{
    ZoneFrame frame(static_cast<int>(state.range(0)));
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
    state.counters["copies"] = frame.zone.copies;
}
BENCHMARK(BM_ZoneTiledOverTheView)->Arg(32)->Arg(4)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
