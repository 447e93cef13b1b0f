#include "engine/app/MainLoop.h"

#include "engine/app/DevConsole.h"
#include "engine/app/GameWindow.h"
#include "engine/app/MainLoopGame.h"
#include "engine/app/ProfileTimer.h"
#include "engine/platform/DebugOutput.h"
#include "engine/platform/Mutex.h"
#include "engine/platform/Termination.h"
#include "engine/render/D3DDevice.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/PostChain.h"
#include "engine/render/RenderPoolCommand.h"
#include "engine/render/RenderPoolManager.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

namespace {

constexpr uint32_t kReadyWaitMs = 500;
constexpr uint32_t kMutexWaitMs = 10000;
constexpr uint32_t kRenderEndWaitMs = 1000;
constexpr uint32_t kClearColour = 0xFF000000u;
// A skipped pass sleeps at most this long, so the quit test stays prompt
// whatever the frame delay.
constexpr double kLongestIdleSleepMs = 50.0;
constexpr uint32_t kBusyWaitMs = 5;

void AddNamed(RenderPoolManager& pool, const char* name, uint32_t colour = 0)
{
    RenderPoolCommand command = RenderPoolCommand::Named(name);
    if (colour != 0)
        command.SetColour(colour);
    pool.AddCommand(std::move(command));
}

} // namespace

MainLoop::MainLoop(MainLoopGame& loopGame, DXRenderEngine& renderEngine)
    : game(loopGame)
    , engine(renderEngine)
{
}

bool MainLoop::WaitUntilReady()
{
    RenderPoolManager* pool = engine.GetRenderPool();
    if (!pool || pool->ready.load() != 0)
        return true;
    while (pool->ready.load() == 0) {
        if (pool->quitting.load())
            return false;
        pool->readyGoEvent.WaitFor(kReadyWaitMs);
    }
    game.PollInput();
    return true;
}

MainLoop::Pass MainLoop::RunPass()
{
    ++passes;
    RenderPoolManager* pool = engine.GetRenderPool();
    const bool recording = engine.IsRecording() && pool;
    // The window closed, or a request to end came (SIGTERM): the game shuts
    // down in order.
    if ((pool && pool->quitting.load()) || platform::TerminationRequested())
        return Pass::Quit;
    if (!WaitUntilReady())
        return Pass::Quit;
    if (!recording && !IsDeviceOk())
        return Pass::DeviceLost;
    if (pool && pool->messageWaitMode.load())
        return Pass::DeviceLost;
    g_WindowResized = false;
    if (!recording && g_NeedResetWindow.load()) {
        if (!g_FullScreen.load()) {
            int width = 0;
            int height = 0;
            if (g_hWnd)
                g_hWnd->GetClientSize(width, height);
            if (!D3D_TryRestoreDevice(false, width, height, false))
                return Pass::ResetFailed;
        }
        g_NeedResetWindow = false;
    }

    DevConsole& console = game.GetConsole();
    TimeSection(console.profileTimers, "Global Game Update", game.IsUpdateFrame());
    game.Update();
    TimeSection(console.profileTimers, "Global Game Update", game.IsUpdateFrame());

    if (game.HasPendingLevelChange())
        return Pass::LevelChangePending;
    if (PostEffects* effects = game.GetPostEffects())
        StepPostEffects(*effects);
    if (!game.IsUpdateFrame() && game.HasLevel() && !game.IsMenuPaused() && game.MaySkipFrames())
        return Pass::Skipped;

    // A timed-out wait goes on with the frame, as the render side does, but
    // never releases a mutex it does not hold.
    platform::TimedMutex* mutex = game.GetGameMutex();
    const bool locked = mutex && mutex->Acquire(kMutexWaitMs);
    if (mutex && !locked)
        platform::DebugOutput("Main loop: the game mutex did not come within 10 s\n");
    const PostChainResult result = RecordFrame();
    lastHandedOver = result.submitted;
    if (result.submitted && recordedFrames == 0)
        platform::DebugOutput("Main loop: first frame handed over\n");
    if (locked)
        mutex->Release();
    if (result.waitForRenderEnd && pool && pool->HasThread())
        pool->renderEndEvent.WaitFor(kRenderEndWaitMs);
    ++recordedFrames;
    return Pass::Recorded;
}

PostChainResult MainLoop::RecordFrame()
{
    RenderPoolManager* pool = engine.GetRecordingPool();
    if (pool) {
        pool->ClearCurrentFrame();
        AddNamed(*pool, "StartRendering");
        AddNamed(*pool, "ClearScreen", kClearColour);
    } else {
        engine.BeginScene(false);
        engine.Clear(kClearColour, 0);
    }

    PostEffects noEffects;
    PostEffects* effects = game.GetPostEffects();
    PostChainFrame frame = game.GetFrameState();
    frame.levelLoaded = game.HasLevel();
    DevConsole& console = game.GetConsole();
    const bool tick = game.IsUpdateFrame();
    PostEffects& used = effects ? *effects : noEffects;
    if (frame.levelLoaded) {
        // The level pass is timed up to its screen effects, so the console
        // editor and the overlay that follow report this pass's time.
        TimeSection(console.profileTimers, "Global Render Pass", tick);
        game.RenderLevel();
        if (pool)
            AddNamed(*pool, "EndRendering");
        else
            engine.EndScene(false);
        ApplyScreenEffects(used, frame, game.GetPostChainHost(), engine);
        TimeSection(console.profileTimers, "Global Render Pass", tick);
    } else {
        ApplyScreenEffects(used, frame, game.GetPostChainHost(), engine);
    }
    return EndFrame(used, frame, game.GetPostChainHost(), engine);
}

void MainLoop::Run()
{
    for (;;) {
        const Pass pass = RunPass();
        if (pass == Pass::Quit)
            return;
        // A frame drawn without a tick under a frame limit (the screen
        // without a level) waits for the tick like a skipped pass.
        const bool idleFrame = pass == Pass::Recorded && !game.IsUpdateFrame() && game.MaySkipFrames();
        if (pass == Pass::Skipped || idleFrame) {
            // Nothing to show before the next tick: wait for it. Game timing
            // runs on accumulated time, so the wait changes none of it.
            const double wait = std::clamp(game.MillisecondsToNextTick(), 1.0, kLongestIdleSleepMs);
            std::this_thread::sleep_for(std::chrono::microseconds(static_cast<int64_t>(wait * 1000.0)));
        } else if (pass == Pass::Recorded && !lastHandedOver && engine.GetRenderPool()) {
            // The render thread is still busy with the previous frame.
            engine.GetRenderPool()->renderEndEvent.WaitFor(kBusyWaitMs);
        } else if (pass == Pass::DeviceLost || pass == Pass::ResetFailed) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
}
