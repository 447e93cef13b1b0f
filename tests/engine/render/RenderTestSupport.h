#pragma once

#include "engine/app/DevConsole.h"
#include "engine/render/DXGraphicalRessource.h"
#include "engine/render/IRenderEngine.h"
#include "engine/render/ISprite.h"
#include "engine/render/Image.h"
#include "engine/render/ImageHandle.h"
#include "engine/render/ImageHandleManager.h"
#include "engine/render/RenderGameAccess.h"
#include "engine/render/RenderPoolManager.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <utility>

namespace rendertest {

// Polls the condition until it holds or the time-out passes. The default is
// long: it only ends a wait that would never end, and a loaded machine may
// take seconds to schedule the render thread.
inline bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 20000)
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

// Records a frame with `record` and hands it over. A busy render thread
// refuses it; the slot stays ours and is recorded again, as the main loop does.
inline void SubmitRecordedFrame(RenderPoolManager& pool, const std::function<void()>& record)
{
    record();
    while (!pool.SubmitFrame(false, false, false)) {
        pool.renderEndEvent.WaitFor(5);
        record();
    }
}

// Records a plain frame (as RecordFrame) and hands it over.
inline void SubmitFrame(RenderPoolManager& pool, uint32_t background, const std::function<void()>& draws = {})
{
    SubmitRecordedFrame(pool, [&] { RecordFrame(pool, background, draws); });
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

// A render engine that notes where each sprite handed to it was drawn. While
// it lives it is the program's engine; the one before comes back after.
class SpriteRecorder : public NullRenderEngine {
public:
    SpriteRecorder()
        : before(std::exchange(g_RenderEngine, this))
    {
    }
    ~SpriteRecorder() override { g_RenderEngine = before; }
    SpriteRecorder(const SpriteRecorder&) = delete;
    SpriteRecorder& operator=(const SpriteRecorder&) = delete;

    bool DrawSprite(ISprite* sprite, IGraphicalSurface*, int x, int y, int, int, float,
        const Rect<int>* source, bool) override
    {
        drawn[sprite] = Point<int>(x, y);
        if (source != nullptr)
            sources[sprite] = *source;
        return true;
    }
    std::map<ISprite*, Point<int>> drawn;
    std::map<ISprite*, Rect<int>> sources; // the part of the picture drawn, when cut

private:
    IRenderEngine* before;
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

// A sprite as the engine sees one: a rectangle of an image file, its image
// loaded through the image-handle manager the first time it is asked for.
class ImageSprite : public ISprite {
public:
    ImageSprite(std::string file_, Rect<int> rect_, Point<int> point_ = Point<int>())
        : file(std::move(file_))
        , rect(rect_)
        , point(point_)
    {
    }

    std::string GetClassName() override { return "ImageSprite"; }
    const std::string& GetName() override { return file; }
    Point<int> GetSize() override { return Point<int>(rect.x1 - rect.x0 + 1, rect.y1 - rect.y0 + 1); }
    bool Draw(DXGraphicalSurface*, int, int, int, int, float, int, int, int, int) override { return false; }
    bool Serialize(std::ostream&) override { return false; }
    bool UnSerialize(std::istream&) override { return false; }
    std::string GetVersionedClassName() override { return "ImageSpriteV0"; }

    SpriteImage GetSpriteImage() override
    {
        LoadImage();
        const Image* loaded = image.GetImage();
        SpriteImage drawn;
        drawn.texture = loaded ? dynamic_cast<DXGraphicalRessource*>(loaded->GetTexture()) : nullptr;
        drawn.rect = rect;
        drawn.point = point;
        return drawn;
    }
    void LoadImage() override
    {
        if (!image.IsValid())
            image = ImageHandleManager::GetInstance()->GetImageHandle(file);
    }
    bool IsImageLoaded() const { return image.IsValid(); }

private:
    std::string file;
    Rect<int> rect;
    Point<int> point;
    ImageHandle image;
};

// The game's side of the render engine, holding what a test sets; installed
// as the game access while it lives.
class FakeGame : public RenderGameAccess {
public:
    FakeGame() { SetRenderGameAccess(this); }
    ~FakeGame() override
    {
        if (GetRenderGameAccess() == this)
            SetRenderGameAccess(nullptr);
    }
    FakeGame(const FakeGame&) = delete;
    FakeGame& operator=(const FakeGame&) = delete;

    DevConsole* GetConsole() override { return &console; }
    void Render(bool fromMainThread) override
    {
        ++(fromMainThread ? mainThreadRenders : renderThreadRenders);
    }
    RenderGameState GetRenderState() override { return state; }
    void SetCurrentPostEffect(GraphicalEffect* effect) override { postEffect = effect; }
    GraphicalEffect* GetCurrentPostEffect() override { return postEffect; }
    bool HasCurrentLevel() const override { return hasLevel; }
    void OnDeviceRestored() override { ++deviceRestores; }

    DevConsole console;
    bool hasLevel = false;
    RenderGameState state;
    GraphicalEffect* postEffect = nullptr;
    std::atomic<int> mainThreadRenders {0};
    std::atomic<int> renderThreadRenders {0};
    std::atomic<int> deviceRestores {0};
};

} // namespace rendertest
