#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "engine/serial/LineReaders.h"

namespace {

constexpr int kLines = 100000;
const char* const kTag = "SpacialInstanceV0";
const char* const kMarker = "_SpacialInstance_updatetag_1.1_";

// A file of versioned records as the level files hold them: a tag line, ints,
// floats, a bool, a name, and an update-tag group that every other record
// carries (the reader rewinds over the next tag when it is absent).
const std::string& RecordFile()
{
    static const std::string path = [] {
        // In the run's temporary folder, which goes with the program (tests/RunSandbox.h).
        const std::string name = (std::filesystem::temp_directory_path()
            / ("quenholt_bench_records_" + std::to_string(getpid()) + ".txt"))
                                     .string();
        std::ofstream file(name, std::ios::binary);
        int lines = 0;
        for (int record = 0; lines < kLines; ++record) {
            WriteLine(file, kTag);
            WriteLine(file, record * 16 - 4000);
            WriteLine(file, -(record % 448));
            WriteLine(file, 1.0f + static_cast<float>(record % 7) * 0.125f);
            WriteLine(file, -0.785398f * static_cast<float>(record % 5));
            WriteLine(file, record % 3 == 0);
            WriteLine(file, "Sprite_Hero_Walk_" + std::to_string(record % 100));
            lines += 7;
            if (record % 2 == 0 && lines + 3 <= kLines) {
                WriteLine(file, kMarker);
                WriteLine(file, 4294967295u - static_cast<uint32_t>(record));
                WriteLine(file, 1.2e-5f * static_cast<float>(record));
                lines += 3;
            }
        }
        return name;
    }();
    return path;
}

void BM_TypedReaders(benchmark::State& state)
{
    const std::string& path = RecordFile();
    for (auto _ : state) {
        std::ifstream file(path, std::ios::binary);
        std::string tag;
        std::string name;
        int64_t sum = 0;
        int records = 0;
        while (ReadStringLine(file, tag) && tag == kTag) {
            int32_t x = 0;
            int32_t y = 0;
            float scale = 0.0f;
            float angle = 0.0f;
            bool flipped = false;
            if (!(ReadIntLine(file, x) && ReadIntLine(file, y) && ReadFloatLine(file, scale)
                    && ReadFloatLine(file, angle) && ReadBoolLine(file, flipped)
                    && ReadStringLine(file, name)))
                break;
            uint32_t colour = 0;
            float extra = 0.0f;
            if (ReadUpdateTag(file, kMarker) && !(ReadULongLine(file, colour) && ReadFloatLine(file, extra)))
                break;
            sum += x + y + static_cast<int64_t>(scale + angle + extra) + flipped + colour + name.size();
            ++records;
        }
        benchmark::DoNotOptimize(sum);
        if (records == 0)
            state.SkipWithError("no record read");
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_TypedReaders)->Unit(benchmark::kMillisecond);

// The floor of the readers above: the same file through the same kind of
// stream, each line found as directly as the readers find theirs (its end by
// memchr over the bytes the stream hands over, its text not copied) and
// nothing parsed. What the typed readers cost above it is their parsing and
// their checks. (std::getline was no floor: it copies every line into a
// string, and measured slower than the typed readers themselves.)
void BM_LineScanFloor(benchmark::State& state)
{
    const std::string& path = RecordFile();
    std::vector<char> chunk(1 << 16);
    for (auto _ : state) {
        std::ifstream file(path, std::ios::binary);
        std::streambuf* buffer = file.rdbuf();
        size_t lines = 0;
        size_t textBytes = 0;
        for (std::streamsize got;
             (got = buffer->sgetn(chunk.data(), static_cast<std::streamsize>(chunk.size()))) > 0;) {
            const char* next = chunk.data();
            const char* const end = next + got;
            while (const void* lineEnd = std::memchr(next, '\n', static_cast<size_t>(end - next))) {
                textBytes += static_cast<size_t>(static_cast<const char*>(lineEnd) - next);
                ++lines;
                next = static_cast<const char*>(lineEnd) + 1;
            }
            textBytes += static_cast<size_t>(end - next);
        }
        benchmark::DoNotOptimize(textBytes);
        if (lines < static_cast<size_t>(kLines))
            state.SkipWithError("the file's lines were not all found");
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_LineScanFloor)->Unit(benchmark::kMillisecond);

} // namespace
