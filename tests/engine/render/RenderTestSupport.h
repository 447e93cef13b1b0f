#pragma once

#include "engine/render/IRenderEngine.h"
#include "engine/render/RenderPoolManager.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <thread>

namespace rendertest {

// Polls the condition until it holds or the time-out passes.
inline bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 5000)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Waits until the render thread has finished the step that took the last
// hand-over (the step clears goPending while it holds frameMutex).
inline void WaitForFrameDone(RenderPoolManager& pool)
{
    WaitUntil([&] { return pool.goPending.load() == 0; });
    pool.frameMutex.Acquire(platform::TimedMutex::kInfinite);
    pool.frameMutex.Release();
}

// Records one frame into the fill slot: the scene opened and cleared to the
// background, the draws, the scene closed and the picture shown.
inline void RecordFrame(RenderPoolManager& pool, uint32_t background, const std::function<void()>& draws = {})
{
    pool.ClearCurrentFrame();
    pool.AddCommand(RenderPoolCommand::Named("StartRendering"));
    RenderPoolCommand clear = RenderPoolCommand::Named("ClearScreen");
    clear.SetColour(background);
    pool.AddCommand(std::move(clear));
    if (draws)
        draws();
    pool.AddCommand(RenderPoolCommand::Named("EndRendering"));
    pool.AddCommand(RenderPoolCommand::Named("StretchBackbuffer true"));
}

// Records a frame and hands it over. A busy render thread refuses it; the
// slot stays ours and is recorded again, as the main loop does.
inline void SubmitFrame(RenderPoolManager& pool, uint32_t background, const std::function<void()>& draws = {})
{
    RecordFrame(pool, background, draws);
    while (!pool.SubmitFrame(false, false, false)) {
        pool.renderEndEvent.WaitFor(5);
        RecordFrame(pool, background, draws);
    }
}

// A render engine that draws nothing; test engines override what they watch.
class NullRenderEngine : public IRenderEngine {
public:
    bool DrawSurface(IGraphicalSurface*, IGraphicalSurface*, int, int, int, int, float) override
    {
        return false;
    }
    bool DrawTexture(IGraphicalRessource*, IGraphicalSurface*, int, int, int, int, float) override
    {
        return true;
    }
    bool DrawSprite(ISprite*, IGraphicalSurface*, int, int, int, int, float, const Rect<int>*, bool) override
    {
        return true;
    }
    bool DrawObject(SceneObject*, IGraphicalSurface*, int, int, int, int, float) override { return true; }
    IGraphicalRessource* LoadTexture(const std::string&) override { return nullptr; }
    IGraphicalRessource* CreateRenderTexture(int, int) override { return nullptr; }
    void Clear(uint32_t, uint32_t) override { }
    bool DrawRect(Point<int>, IGraphicalSurface*, int, int, int, int, float, uint32_t, bool, bool) override
    {
        return true;
    }
    void BeginScene(bool) override { }
    void EndScene(bool) override { }
};

// Number of threads of this process.
inline int ThreadCount()
{
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/task"))
        ++count;
    return count;
}

inline uint8_t Red(uint32_t argb)
{
    return (argb >> 16) & 0xFF;
}
inline uint8_t Green(uint32_t argb)
{
    return (argb >> 8) & 0xFF;
}
inline uint8_t Blue(uint32_t argb)
{
    return argb & 0xFF;
}
inline uint8_t Alpha(uint32_t argb)
{
    return (argb >> 24) & 0xFF;
}

// Colours compared channel by channel with a tolerance (software rendering
// may round).
inline bool Near(uint32_t a, uint32_t b, int tolerance = 3)
{
    auto close = [tolerance](int x, int y) { return x - y <= tolerance && y - x <= tolerance; };
    return close(Red(a), Red(b)) && close(Green(a), Green(b)) && close(Blue(a), Blue(b));
}

} // namespace rendertest
