#include "engine/sound/DXSoundEngine.h"
#include "engine/sound/StreamingVoiceContext.h"
#include "tests/engine/sound/SoundFixtures.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

// One second of streamed music mixed on the loopback device: Ogg decoding,
// buffer refills and mixing together. The rate counter is seconds of music per
// second of work (the real-time factor).
void BM_StreamedMusicSecond(benchmark::State& state)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path()
        / ("quenholt_bench_music_" + std::to_string(getpid()) + ".ogg");
    {
        const std::vector<uint8_t> ogg
            = soundtest::MakeOgg(soundtest::MakeTones({{220.0, 2.0}, {330.0, 2.0}, {440.0, 2.0}}, 0.3));
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(ogg.data()), static_cast<std::streamsize>(ogg.size()));
    }
    {
        DXSoundEngine engine;
        if (!engine.InitLoopback(soundtest::kRate)) {
            state.SkipWithError("no loopback device");
            return;
        }
        PlayStreamedMusic(&engine, path.string(), false, false, 0.0);
        std::vector<int16_t> mix(static_cast<size_t>(soundtest::kRate) * 2);
        for (auto _ : state) {
            engine.RenderSamples(mix.data(), soundtest::kRate);
            benchmark::DoNotOptimize(mix.data());
        }
        state.counters["music_seconds"]
            = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
        PlayStreamedMusic(&engine, "", false, false, 0.0);
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_StreamedMusicSecond)->Unit(benchmark::kMillisecond);

} // namespace
