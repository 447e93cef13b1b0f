#include "engine/render/RenderPoolManager.h"

#include "engine/app/GameWindow.h"
#include "engine/config/GameConfig.h"
#include "engine/config/GamePaths.h"
#include "engine/platform/Event.h"
#include "engine/platform/Window.h"
#include "engine/render/D3DDevice.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/GE_Blink.h"
#include "tests/engine/platform/SdlTestEvents.h"
#include "tests/engine/render/RenderTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

using rendertest::WaitUntil;

namespace {

// A render engine that records what the replay asks of it; a sprite draw can
// be told to block, so the render thread stays inside a step.
class ProbeEngine : public rendertest::NullRenderEngine {
public:
    ProbeEngine() { g_RenderEngine = this; }
    ~ProbeEngine() override
    {
        release.Set();
        if (g_RenderEngine == this)
            g_RenderEngine = nullptr;
    }

    bool DrawSprite(
        ISprite*, IGraphicalSurface*, int x, int, int, int, float, const Rect<int>*, bool) override
    {
        log += "sprite" + std::to_string(x) + ";";
        if (blockInDraw) {
            entered.Set();
            release.Wait();
        }
        return true;
    }
    void Clear(uint32_t colour, uint32_t) override { log += "clear" + std::to_string(colour) + ";"; }
    bool DrawRect(Point<int>, IGraphicalSurface*, int x, int, int, int, float, uint32_t, bool, bool) override
    {
        log += "rect" + std::to_string(x) + ";";
        return true;
    }
    void BeginScene(bool) override
    {
        log += "begin;";
        g_InScene = true;
    }
    void EndScene(bool) override
    {
        log += "end;";
        g_InScene = false;
    }

    std::string log;
    std::atomic<bool> blockInDraw {false};
    platform::Event entered {true, false};
    platform::Event release {true, false};
};

RenderPoolCommand Draw(int x)
{
    return RenderPoolCommand::SpriteDraw(
        nullptr, nullptr, Point<int>(x, 0), Point<int>(), 0.0f, nullptr, RenderPoolCommand::RecordedState {});
}

} // namespace

TEST(GLRenderPoolFrames, SixHundredClearFramesShowTheLastColourAndQuitLeavesNoThread)
{
    const int threadsBefore = rendertest::ThreadCount();
    {
        DXRenderEngine engine;
        auto* pool = engine.SetRenderPool(new RenderPoolManager());
        ASSERT_TRUE(WaitUntil([&] { return pool->idle.load() == 1; }));
        ASSERT_FALSE(pool->startFailed.load());

        const uint32_t colours[2] = {0xFF2050C0u, 0xFFC08010u};
        for (int frame = 0; frame < 600; ++frame)
            rendertest::SubmitFrame(*pool, colours[frame % 2]);
        rendertest::WaitForFrameDone(*pool);
        EXPECT_TRUE(pool->IsReady());

        std::vector<uint32_t> window;
        std::vector<uint32_t> picture;
        int width = 0, height = 0;
        pool->RunOnRenderThread([&] {
            g_DeviceWindow->GetDrawableSize(width, height);
            ReadWindowPixels(width / 2, height / 2, 1, 1, window);
            ReadPicturePixels(256, 224, 1, 1, picture);
        });
        ASSERT_EQ(window.size(), 1u);
        ASSERT_EQ(picture.size(), 1u);
        EXPECT_TRUE(rendertest::Near(window[0], colours[1])) << std::hex << window[0];
        EXPECT_TRUE(rendertest::Near(picture[0], colours[1])) << std::hex << picture[0];

        pool->RequestQuit();
        EXPECT_FALSE(pool->HasThread());
        EXPECT_FALSE(pool->IsRenderThreadRunning());
    }
    EXPECT_TRUE(WaitUntil([&] { return rendertest::ThreadCount() <= threadsBefore; }))
        << rendertest::ThreadCount() << " threads, " << threadsBefore << " before";
}

TEST(RenderPoolRing, TenHandOversBringRenderSlotBackWithFillSlotAlwaysNext)
{
    RenderPoolManager pool(false);
    const int32_t start = pool.renderSlot.load();
    for (int i = 0; i < RenderPoolManager::kSlotCount; ++i) {
        ASSERT_TRUE(pool.SubmitFrame(false, false, false));
        EXPECT_EQ(pool.fillSlot.load(), (pool.renderSlot.load() + 1) % RenderPoolManager::kSlotCount);
        EXPECT_EQ(pool.publishedSlot.load(), pool.renderSlot.load());
    }
    EXPECT_EQ(pool.renderSlot.load(), start);
}

TEST(RenderPoolRing, CommandsGoToTheFillSlotAndClearingEmptiesOnlyIt)
{
    RenderPoolManager pool(false);
    pool.AddCommand(Draw(1));
    pool.AddCommand(Draw(2));
    ASSERT_NE(pool.GetLastCommand(), nullptr);
    EXPECT_EQ(pool.GetLastCommand()->GetPosition().x, 2);
    std::vector<RenderPoolCommand*> from;
    pool.GetCommandsFrom(1, from);
    ASSERT_EQ(from.size(), 1u);
    EXPECT_EQ(from[0]->GetPosition().x, 2);
    pool.RemoveLastCommand();
    EXPECT_EQ(pool.GetLastCommand()->GetPosition().x, 1);

    const int32_t filled = pool.fillSlot.load();
    ASSERT_TRUE(pool.SubmitFrame(false, false, false));
    pool.ClearCurrentFrame();
    EXPECT_EQ(pool.frameCommands[filled].size(), 1u);
    EXPECT_EQ(pool.GetLastCommand(), nullptr);
}

TEST(GLRenderPoolRing, BusyRenderThreadRefusesPlainHandOverAndItsSlotIsNeverRefilled)
{
    ProbeEngine engine;
    RenderPoolManager pool;
    ASSERT_TRUE(WaitUntil([&] { return pool.idle.load() == 1; }));
    engine.blockInDraw = true;
    pool.AddCommand(Draw(7));
    ASSERT_TRUE(pool.SubmitFrame(false, false, false));
    ASSERT_TRUE(engine.entered.WaitFor(20000));
    const int32_t busySlot = pool.renderingSlot.load();
    ASSERT_EQ(busySlot, pool.renderSlot.load());

    const int32_t render = pool.renderSlot.load();
    const int32_t fill = pool.fillSlot.load();
    const int32_t published = pool.publishedSlot.load();
    EXPECT_FALSE(pool.SubmitFrame(false, false, false));
    EXPECT_EQ(pool.renderSlot.load(), render);
    EXPECT_EQ(pool.fillSlot.load(), fill);
    EXPECT_EQ(pool.publishedSlot.load(), published);

    // Forced hand-overs go round the ring but stop short of the busy slot.
    for (int i = 0; i < 3 * RenderPoolManager::kSlotCount; ++i) {
        pool.ClearCurrentFrame();
        pool.AddCommand(Draw(100 + i));
        pool.SubmitFrame(true, true, false);
        EXPECT_NE(pool.fillSlot.load(), busySlot);
    }
    ASSERT_EQ(pool.frameCommands[busySlot].size(), 1u);
    EXPECT_EQ(pool.frameCommands[busySlot][0].GetPosition().x, 7);

    engine.blockInDraw = false;
    engine.release.Set();
    pool.RequestQuit();
    EXPECT_FALSE(pool.HasThread());
}

TEST(GLRenderPoolRequests, ClearFramesReturnsWithEveryListEmpty)
{
    ProbeEngine engine;
    RenderPoolManager pool;
    ASSERT_TRUE(WaitUntil([&] { return pool.idle.load() == 1; }));
    for (int slot = 0; slot < RenderPoolManager::kSlotCount; ++slot) {
        pool.frameCommands[slot].push_back(Draw(slot));
        pool.frameImages[slot].push_back(nullptr);
    }
    pool.RequestClearFrames();
    EXPECT_EQ(pool.request.load(), 0);
    for (int slot = 0; slot < RenderPoolManager::kSlotCount; ++slot) {
        EXPECT_TRUE(pool.frameCommands[slot].empty()) << slot;
        EXPECT_TRUE(pool.frameImages[slot].empty()) << slot;
    }
}

TEST(RenderPoolRequests, WithoutThreadQuitReturnsAtOnceAndClearRunsDirectly)
{
    RenderPoolManager pool(false);
    pool.frameCommands[3].push_back(Draw(3));
    pool.RequestQuit();
    EXPECT_FALSE(pool.HasThread());
    EXPECT_EQ(pool.request.load(), 0);
    pool.RequestClearFrames();
    EXPECT_TRUE(pool.frameCommands[3].empty());
}

TEST(RenderPoolRequests, TheWaitForTheStartGivesUpAtItsBoundOrWhenAnEndIsAsked)
{
    using Start = RenderPoolManager::StartResult;
    RenderPoolManager pool(false);
    // A start that never ends (a graphics start-up that stalls).
    EXPECT_EQ(pool.WaitForStart(0), Start::kTimedOut);
    EXPECT_EQ(pool.WaitForStart(5), Start::kTimedOut);
    // An end asked (SIGTERM) ends the wait long before its bound.
    EXPECT_EQ(pool.WaitForStart(600000, [] { return true; }), Start::kEndAsked);
    pool.idle = 1;
    EXPECT_EQ(pool.WaitForStart(0), Start::kStarted);
    pool.startFailed = true;
    EXPECT_EQ(pool.WaitForStart(0), Start::kFailed);
}

TEST(GLRenderPoolRequests, RequestWrittenWithoutSignalRunsOnlyInLoadingMode)
{
    ProbeEngine engine;
    RenderPoolManager pool;
    ASSERT_TRUE(WaitUntil([&] { return pool.idle.load() == 1; }));
    pool.frameCommands[5].push_back(Draw(5));

    // Outside loading mode the render thread sleeps until signalled.
    pool.request.exchange(RenderPoolManager::kRequestClearFrames);
    EXPECT_FALSE(WaitUntil([&] { return pool.request.load() == 0; }, 150));
    EXPECT_FALSE(pool.frameCommands[5].empty());

    // In loading mode it turns by itself every 30 ms and picks it up.
    pool.loading.exchange(1);
    pool.renderGoEvent.Set(); // ends the wait that began outside loading mode
    ASSERT_TRUE(WaitUntil([&] { return pool.request.load() == 0; }));
    pool.frameCommands[7].push_back(Draw(7));
    pool.request.exchange(RenderPoolManager::kRequestClearFrames);
    EXPECT_TRUE(WaitUntil([&] { return pool.request.load() == 0; }));
    EXPECT_TRUE(WaitUntil([&] { return pool.frameCommands[7].empty(); }));
    pool.loading.exchange(0);
}

TEST(GLRenderPoolRequests, ATaskWaitsForThePendingRequestInsteadOfReplacingIt)
{
    ProbeEngine engine;
    RenderPoolManager pool;
    ASSERT_TRUE(WaitUntil([&] { return pool.idle.load() == 1; }));
    pool.frameCommands[4].push_back(Draw(4));
    pool.request.exchange(RenderPoolManager::kRequestClearFrames); // posted, not yet signalled
    bool ran = false;
    pool.RunOnRenderThread([&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_TRUE(pool.frameCommands[4].empty());
    EXPECT_EQ(pool.request.load(), 0);
}

TEST(RenderPoolReplay, NamedCommandsAndDrawsReplayInOrder)
{
    ProbeEngine engine;
    RenderPoolManager pool(false);
    std::vector<RenderPoolCommand> list;
    list.push_back(RenderPoolCommand::Named("StartRendering"));
    RenderPoolCommand clear = RenderPoolCommand::Named("ClearScreen");
    clear.SetColour(5);
    list.push_back(clear);
    list.push_back(Draw(11));
    list.push_back(
        RenderPoolCommand::RectDraw(Point<int>(4, 4), Point<int>(12, 0), Point<int>(), 0.0f, 0, true));
    list.push_back(RenderPoolCommand::Named("NoSuchCommand"));
    list.push_back(RenderPoolCommand::Named("game_debug_D3D"));
    list.push_back(RenderPoolCommand::Named("EndRendering"));
    pool.RenderFrame(list, -1);
    EXPECT_EQ(engine.log, "begin;clear5;sprite11;rect12;end;");
}

TEST(RenderPoolReplay, LoadingStateChangeStopsTheListAndClosesTheScene)
{
    ProbeEngine engine;
    RenderPoolManager pool(false);
    pool.loading.exchange(1);
    pool.loadingHold.exchange(1);
    std::vector<RenderPoolCommand> list;
    list.push_back(RenderPoolCommand::Named("StartRendering"));
    list.push_back(RenderPoolCommand::Named("ResetLoadingState"));
    list.push_back(Draw(1));
    pool.RenderFrame(list, -1);
    EXPECT_EQ(engine.log, "begin;end;");
    EXPECT_EQ(pool.loading.load(), 0);
    EXPECT_EQ(pool.loadingHold.load(), 0);
    EXPECT_EQ(pool.goPending.load(), 1);

    engine.log.clear();
    pool.abortFrame.exchange(1);
    pool.RenderFrame(list, -1);
    EXPECT_EQ(engine.log, "begin;end;");
    EXPECT_EQ(pool.abortFrame.load(), 0);
}

TEST(RenderPoolReplay, DebugCommandAddsTheDrawCountToTheSlotsConsoleCopy)
{
    ProbeEngine engine;
    RenderPoolManager pool(false);
    pool.frameStates[2].debug = true;
    std::vector<RenderPoolCommand> list {RenderPoolCommand::Named("game_debug_D3D")};
    pool.RenderFrame(list, 2);
    // The draw count, then the overlay's frame-rate line.
    ASSERT_GE(pool.frameStates[2].messages.size(), 1u);
    EXPECT_EQ(pool.frameStates[2].messages.front().text, "Sprite Draw : 0");
    EXPECT_TRUE(pool.frameStates[3].messages.empty());
}

TEST(RenderPoolCommandOwnership, CopiesOwnSeparateEffectClones)
{
    auto blink = std::make_unique<GE_Blink>();
    blink->Update(); // frame 1
    GraphicalEffect* original = blink.get();
    RenderPoolCommand first = RenderPoolCommand::SpriteDraw(nullptr, std::move(blink), Point<int>(1, 2),
        Point<int>(), 0.0f, nullptr, RenderPoolCommand::RecordedState {});
    ASSERT_EQ(first.GetEffect(), original);
    {
        RenderPoolCommand copy(first);
        ASSERT_NE(copy.GetEffect(), nullptr);
        EXPECT_NE(copy.GetEffect(), first.GetEffect());
        auto* cloned = dynamic_cast<GE_Blink*>(copy.GetEffect());
        ASSERT_NE(cloned, nullptr);
        EXPECT_EQ(cloned->GetFrame(), 1);
        copy.DestroyWithEffect();
        EXPECT_EQ(copy.GetEffect(), nullptr);
    }
    RenderPoolCommand assigned;
    assigned.CloneEffect(first);
    EXPECT_NE(assigned.GetEffect(), first.GetEffect());
    EXPECT_EQ(first.GetEffect(), original);

    // The ring keeps its own clone and deletes it when the slot is cleared.
    RenderPoolManager pool(false);
    pool.AddCommand(first);
    EXPECT_NE(pool.GetLastCommand()->GetEffect(), first.GetEffect());
    pool.ClearCurrentFrame();
    EXPECT_EQ(first.GetEffect(), original);
}

TEST(GLRenderPoolWindow, PumpedInputReachesTheBridgeAndClosingEndsTheRenderThread)
{
    ProbeEngine engine;
    RenderPoolManager pool;
    ASSERT_TRUE(WaitUntil([&] { return pool.idle.load() == 1; }));

    ASSERT_TRUE(PushKeyForTest(true, platform::PrintScreenScancode()));
    EXPECT_TRUE(
        WaitUntil([&] { return pool.GetInputBridge().Snapshot().keys[platform::PrintScreenScancode()]; }));

    ASSERT_TRUE(PushCloseForTest());
    EXPECT_TRUE(WaitUntil([&] { return pool.quitting.load(); }));
    EXPECT_TRUE(WaitUntil([&] { return !pool.IsRenderThreadRunning(); }));
    pool.RequestQuit();
    EXPECT_FALSE(pool.HasThread());
}

TEST(GLRenderPoolStart, WithoutAGLDeviceTheStartFailsCleanlyInsteadOfWaiting)
{
    const char* previous = getenv("SDL_VIDEODRIVER");
    const std::string saved = previous ? previous : "";
    setenv("SDL_VIDEODRIVER", "dummy", 1); // a video driver without GL
    {
        RenderPoolManager pool;
        EXPECT_TRUE(WaitUntil([&] { return pool.idle.load() == 1; }));
        EXPECT_TRUE(pool.startFailed.load());
        EXPECT_TRUE(pool.quitting.load());
        EXPECT_TRUE(WaitUntil([&] { return !pool.IsRenderThreadRunning(); }));
        pool.RequestClearFrames(); // returns at once: no thread to ask
        pool.RequestQuit();
        EXPECT_FALSE(pool.HasThread());
    }
    if (saved.empty())
        unsetenv("SDL_VIDEODRIVER");
    else
        setenv("SDL_VIDEODRIVER", saved.c_str(), 1);
}

TEST(GLRenderPoolStart, TheConfigurationFileDecidesTheDisplayModeAndWindowedHoldsForItsRun)
{
    const std::filesystem::path folder
        = std::filesystem::temp_directory_path() / ("quenholt_display_mode_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string previousUserPath = GetUserPath();
    SetUserPath(folder.string() + "/");

    struct Case {
        const char* what;
        bool configFile;
        bool configWindowed;
        bool commandLineWindowed;
        bool fullScreen;
    };
    for (const Case& c : {Case {"first start", false, false, false, true},
             Case {"first start, --windowed", false, false, true, false},
             Case {"--windowed over a file that says full screen", true, false, true, false},
             Case {"file says windowed", true, true, false, false}}) {
        std::filesystem::remove(folder / GameConfig::kFileName);
        if (c.configFile) {
            GameConfig config;
            config.SetWindowed(c.configWindowed);
            ASSERT_TRUE(config.SaveUserConfig()) << c.what;
        }
        g_StartWindowed = c.commandLineWindowed;
        RenderPoolManager pool;
        ASSERT_TRUE(WaitUntil([&] { return pool.idle.load() == 1; })) << c.what;
        ASSERT_FALSE(pool.startFailed.load()) << c.what;
        EXPECT_EQ(g_FullScreen.load(), c.fullScreen) << c.what;
        bool windowFullScreen = !c.fullScreen;
        pool.RunOnRenderThread([&] { windowFullScreen = g_hWnd && g_hWnd->IsFullScreen(); });
        EXPECT_EQ(windowFullScreen, c.fullScreen) << c.what;
    }
    g_StartWindowed = false;
    SetUserPath(previousUserPath);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}
