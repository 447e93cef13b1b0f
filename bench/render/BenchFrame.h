#pragma once

#include "engine/render/RenderPoolCommand.h"
#include "engine/render/RenderPoolManager.h"

#include <cstdint>
#include <thread>
#include <utility>

// What the drawing benchmarks share: a frame recorded on the main thread,
// begun by clearing the picture and ended by stretching it to the window,
// then handed to the render thread and waited for.

inline void BeginBenchFrame(RenderPoolManager& pool, uint32_t colour = 0xFF000000u)
{
    pool.ClearCurrentFrame();
    pool.AddCommand(RenderPoolCommand::Named("StartRendering"));
    RenderPoolCommand clear = RenderPoolCommand::Named("ClearScreen");
    clear.SetColour(colour);
    pool.AddCommand(std::move(clear));
}

inline void EndBenchFrame(RenderPoolManager& pool)
{
    pool.AddCommand(RenderPoolCommand::Named("EndRendering"));
    pool.AddCommand(RenderPoolCommand::Named("StretchBackbuffer true"));
}

// Hands the recorded frame over and waits until the render thread has drawn
// it. While the ring takes no frame, `record` records it again (a refused
// hand-over leaves the current frame cleared).
template <class Record> void ReplayBenchFrame(RenderPoolManager& pool, Record record)
{
    while (!pool.SubmitFrame(false, false, false)) {
        pool.renderEndEvent.WaitFor(1);
        record();
    }
    while (pool.goPending.load() != 0)
        std::this_thread::yield();
    pool.frameMutex.Acquire(platform::TimedMutex::kInfinite);
    pool.frameMutex.Release();
}
