#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "scene/AnimatedSprite.h"
#include "scene/Sprite.h"

namespace {

// One frame of a busy level: a thousand animated instances, each advanced by a
// 16 ms step through an 8-frame animation of 60 ms frames that loops from
// frame 2 (ping-pong on every other one).
void BM_AdvanceFrameThousandInstances(benchmark::State& state)
{
    std::vector<std::unique_ptr<Sprite>> frames;
    AnimatedSprite looping("Loop");
    AnimatedSprite bouncing("Bounce");
    for (int i = 0; i < 8; ++i) {
        frames.push_back(
            std::make_unique<Sprite>(std::string("F").append(std::to_string(i)), "f.png", 0, 0, 16, 16));
        looping.AddFrame(frames.back().get(), 60.0f, 0.0f);
        bouncing.AddFrame(frames.back().get(), 60.0f, 0.0f);
    }
    looping.SetLoopStart(2);
    bouncing.SetLoopStart(2);
    bouncing.SetPingPong(true);

    struct Instance {
        int frame = 0;
        double time = 0.0;
        bool reversed = false;
        bool playing = true;
    };
    std::vector<Instance> instances(1000);
    for (auto _ : state) {
        for (size_t i = 0; i < instances.size(); ++i) {
            Instance& instance = instances[i];
            const AnimatedSprite& sprite = (i % 2 == 0) ? looping : bouncing;
            instance.frame = sprite.AdvanceFrame(
                instance.frame, &instance.time, &instance.reversed, &instance.playing, 16.0);
        }
        benchmark::DoNotOptimize(instances.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(instances.size()));
}
BENCHMARK(BM_AdvanceFrameThousandInstances);

// The worst case of one call: zero-length frames that never settle, so the
// advance runs its full bounded number of moves.
void BM_AdvanceFrameZeroDurations(benchmark::State& state)
{
    std::vector<std::unique_ptr<Sprite>> frames;
    AnimatedSprite zero("Zero");
    for (int i = 0; i < 4; ++i) {
        frames.push_back(
            std::make_unique<Sprite>(std::string("Z").append(std::to_string(i)), "z.png", 0, 0, 16, 16));
        zero.AddFrame(frames.back().get(), 0.0f, 0.0f);
    }
    zero.SetLoopStart(0);
    for (auto _ : state) {
        double time = 0.0;
        bool reversed = false;
        bool playing = true;
        benchmark::DoNotOptimize(zero.AdvanceFrame(0, &time, &reversed, &playing, 16.0));
    }
}
BENCHMARK(BM_AdvanceFrameZeroDurations);

} // namespace
