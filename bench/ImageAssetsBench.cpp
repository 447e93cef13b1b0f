#include <benchmark/benchmark.h>

#include "engine/assets/ScrambledFile.h"
#include "engine/render/ImageHandleManager.h"
#include "engine/render/PixelImage.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// The render thread takes the handle of every sprite queued in a frame: one
// cached lookup and one release per sprite, under the handle lock.
void BM_CachedImageHandle(benchmark::State& state)
{
    ImageHandleManager* manager = ImageHandleManager::GetInstance();
    ImageHandle held = manager->GetImageHandle("Tiles\\Rock.png");
    for (auto _ : state) {
        ImageHandle handle = manager->GetImageHandle("Tiles\\Rock.png");
        benchmark::DoNotOptimize(handle.GetImage());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CachedImageHandle);

// The same while another thread copies and releases handles of that image.
void BM_CachedImageHandleContended(benchmark::State& state)
{
    ImageHandleManager* manager = ImageHandleManager::GetInstance();
    ImageHandle held = manager->GetImageHandle("Tiles\\Rock.png");
    std::atomic<bool> stop {false};
    std::thread other([&] {
        while (!stop.load(std::memory_order_relaxed)) {
            ImageHandle copy = held;
            benchmark::DoNotOptimize(copy.GetCount());
        }
    });
    for (auto _ : state) {
        ImageHandle handle = manager->GetImageHandle("Tiles\\Rock.png");
        benchmark::DoNotOptimize(handle.GetImage());
    }
    stop = true;
    other.join();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CachedImageHandleContended);

// Reading a 512 x 512 sprite sheet stored scrambled: unscramble, then decode.
void BM_LoadScrambledSpriteSheet(benchmark::State& state)
{
    const std::string path = (std::filesystem::temp_directory_path()
        / ("quenholt_bench_sheet_" + std::to_string(getpid()) + ".qhsprite"))
                                 .string();
    PixelImage sheet(512, 512);
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x)
            sheet.SetPixel(x, y, 0xFF000000u | uint32_t(x * 7 ^ y * 13) << 8 | uint32_t(x + y));
    WriteScrambledFile(path, sheet.EncodePng());
    std::vector<uint8_t> bytes;
    for (auto _ : state) {
        LoadScrambledFile(path, bytes);
        PixelImage decoded;
        decoded.LoadFromMemory(bytes);
        benchmark::DoNotOptimize(decoded.GetPixels().data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
    std::remove(path.c_str());
}
BENCHMARK(BM_LoadScrambledSpriteSheet)->Unit(benchmark::kMillisecond);

} // namespace
