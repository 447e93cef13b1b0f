#include "engine/render/RenderPoolManager.h"

#include "engine/app/FpsOverlay.h"
#include "engine/app/GameWindow.h"
#include "engine/config/GameConfig.h"
#include "engine/config/GamePaths.h"
#include "engine/platform/Clock.h"
#include "engine/platform/DebugOutput.h"
#include "engine/platform/MessageBox.h"
#include "engine/platform/Paths.h"
#include "engine/render/D3DDevice.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/GLTexture.h"
#include "engine/render/GraphicalEffect.h"
#include "engine/render/ISprite.h"
#include "engine/render/RenderGameAccess.h"
#include "engine/render/Screenshot.h"
#include "engine/serial/LineReaders.h"
#include "engine/serial/ReaderContext.h"

#include <algorithm>
#include <chrono>
#include <utility>

std::vector<RenderPoolCommand> g_DeferredCommands;

namespace {

constexpr uint32_t kInfinite = platform::Event::kInfinite;
// Slice of the render thread's waits: the window's events are pumped at least
// this often, so a close is seen even while no frame comes.
constexpr uint32_t kPumpSliceMs = 20;

void ReportStartFailure(const char* text)
{
    platform::DebugOutput(std::string(text) + "\n");
    platform::ShowMessageBox("Error", text, platform::MessageBoxIcon::Error);
}

// A recorded rectangle or sprite draw, drawn at once.
void DrawRecordedCommand(IRenderEngine& engine, const RenderPoolCommand& command)
{
    const Point<int> position = command.GetPosition();
    const Point<int> extent = command.GetExtent();
    if (command.IsRect())
        engine.DrawRect(command.GetRectSize(), nullptr, position.x, position.y, extent.x, extent.y,
            command.GetRotation(), command.GetColour(), command.IsFilled(), true);
    else
        engine.DrawSprite(command.GetImage(), nullptr, position.x, position.y, extent.x, extent.y,
            command.GetRotation(), command.GetClipOrNull(), true);
}

} // namespace

void DrawCommandsNow(IRenderEngine* engine, const std::vector<RenderPoolCommand>& commands)
{
    if (engine == nullptr)
        return;
    const RenderPoolCommand* before = engine->GetCurrentCommand();
    for (const RenderPoolCommand& command : commands) {
        if (!command.GetName().empty())
            continue;
        engine->SetCurrentCommand(&command);
        DrawRecordedCommand(*engine, command);
    }
    engine->SetCurrentCommand(before);
}

RenderPoolManager::RenderPoolManager(bool startThread)
{
    frameCommands.resize(kSlotCount);
    frameStates.resize(kSlotCount);
    frameImages.resize(kSlotCount);
    platform::DebugOutput("=>Prepare Thread ...\n");
    if (startThread) {
        threadRunning = true;
        thread = std::thread(RenderThreadProc, this);
    }
}

RenderPoolManager::~RenderPoolManager()
{
    RequestQuit();
    if (thread.joinable() && !IsRenderThread())
        thread.join();
}

bool RenderPoolManager::IsRenderThread() const
{
    return thread.joinable() && std::this_thread::get_id() == thread.get_id();
}

// --- main-thread side --------------------------------------------------------

bool RenderPoolManager::SubmitFrame(bool force, bool noSignal, bool renderNow)
{
    const int32_t old = renderSlot.load();
    const int32_t next = (old + 1) % kSlotCount;
    if (rendering.load() != 0 && !force)
        return false;
    // The slot after the new fill slot must not be the one being replayed.
    const int32_t nextFill = (fillSlot.load() + 1) % kSlotCount;
    if (nextFill == renderingSlot.load())
        return false;
    if (RenderGameAccess* game = GetRenderGameAccess())
        if (DevConsole* console = game->GetConsole())
            CopyFrameState(*console);
    renderSlot.exchange(next);
    publishedSlot.exchange(next);
    fillSlot.store(nextFill);
    if (HasThread() && !noSignal) {
        goPending.exchange(1);
        renderGoEvent.Set();
    }
    if (renderNow)
        RenderFrame(frameCommands[renderSlot.load()], old);
    return true;
}

void RenderPoolManager::CopyFrameState(const DevConsole& console)
{
    frameStates[fillSlot.load()] = console;
}

void RenderPoolManager::AddCommand(const RenderPoolCommand& command)
{
    frameCommands[fillSlot.load()].push_back(command);
}

void RenderPoolManager::AddCommand(RenderPoolCommand&& command)
{
    frameCommands[fillSlot.load()].push_back(std::move(command));
}

void RenderPoolManager::AddCommands()
{
    for (const RenderPoolCommand& command : g_DeferredCommands)
        AddCommand(command);
}

RenderPoolCommand* RenderPoolManager::GetLastCommand()
{
    std::vector<RenderPoolCommand>& list = frameCommands[fillSlot.load()];
    return list.empty() ? nullptr : &list.back();
}

void RenderPoolManager::RemoveLastCommand()
{
    std::vector<RenderPoolCommand>& list = frameCommands[fillSlot.load()];
    if (!list.empty())
        list.pop_back();
}

void RenderPoolManager::GetCommandsFrom(int first, std::vector<RenderPoolCommand*>& out)
{
    out.clear();
    std::vector<RenderPoolCommand>& list = frameCommands[fillSlot.load()];
    for (size_t i = first < 0 ? 0 : static_cast<size_t>(first); i < list.size(); ++i)
        out.push_back(&list[i]);
}

void RenderPoolManager::ClearCurrentFrame()
{
    const int32_t slot = fillSlot.load();
    if (slot == renderingSlot.load())
        return;
    frameCommands[slot].clear(); // each command deletes its own effect
}

void RenderPoolManager::QueueSpriteImage(ISprite* sprite)
{
    if (HasThread() && sprite)
        frameImages[fillSlot.load()].push_back(sprite);
}

void RenderPoolManager::ResetReady()
{
    ready.exchange(0);
    readyGoEvent.Reset();
}

RenderPoolManager::StartResult RenderPoolManager::WaitForStart(
    uint32_t boundMs, const std::function<bool()>& endAsked) const
{
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(boundMs);
    for (;;) {
        // The thread sets its failure before it says it is idle.
        if (idle.load() != 0)
            return startFailed.load() ? StartResult::kFailed : StartResult::kStarted;
        if (endAsked && endAsked())
            return StartResult::kEndAsked;
        if (std::chrono::steady_clock::now() >= giveUp)
            return StartResult::kTimedOut;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void RenderPoolManager::WaitRequestDone()
{
    // The render thread sets the event each time it clears the word and when
    // its loop ends. Reset before the test, so a clearing between the test
    // and the wait is not lost; the slice only covers a word cleared by
    // someone else.
    for (;;) {
        requestDoneEvent.Reset();
        if (request.load() == 0 || !threadRunning.load())
            return;
        requestDoneEvent.WaitFor(kPumpSliceMs);
    }
}

void RenderPoolManager::FinishRequest()
{
    request.exchange(0);
    requestDoneEvent.Set();
}

void RenderPoolManager::RequestLoadEffects()
{
    if (!HasThread() || !threadRunning) {
        LoadEffects();
        return;
    }
    request.exchange(kRequestLoadEffects);
    platform::Event::SignalAndWait(renderGoEvent, renderEndEvent, kInfinite);
    WaitRequestDone();
}

void RenderPoolManager::RequestLoadImages(std::function<void()> loadObjects, bool waitForEnd)
{
    imageObjects = std::move(loadObjects);
    if (!HasThread() || !threadRunning) {
        LoadPendingImages();
        imageObjects = nullptr;
        return;
    }
    // Waits for the end of a step under way; with none running there is no
    // end to wait for (an unbounded wait would never return).
    if (waitForEnd && rendering.load() != 0)
        renderEndEvent.WaitFor(kInfinite);
    request.exchange(kRequestLoadImages);
    platform::Event::SignalAndWait(renderGoEvent, renderEndEvent, kInfinite);
    WaitRequestDone();
    imageObjects = nullptr;
}

void RenderPoolManager::RequestClearFrames()
{
    if (!HasThread() || !threadRunning) {
        ClearAllFrames();
        return;
    }
    request.exchange(kRequestClearFrames);
    // The short wait only hands over; the spin guarantees completion.
    platform::Event::SignalAndWait(renderGoEvent, renderEndEvent, 10);
    WaitRequestDone();
}

void RenderPoolManager::RequestQuit()
{
    if (!HasThread())
        return;
    if (threadRunning.load()) {
        request.exchange(kRequestQuit);
        goPending.exchange(1);
        renderGoEvent.Set();
        WaitRequestDone();
    }
    if (thread.joinable() && !IsRenderThread())
        thread.join();
}

bool RenderPoolManager::PostDisplayRequest(int32_t code, uint32_t mutexTimeout)
{
    if (!frameMutex.Acquire(mutexTimeout)) {
        platform::DebugOutput("TIMEOUT UI_MENU_PAGE_OPT_RENDERSETTINGS\n");
        return false;
    }
    if (code == kRequestWindow)
        g_NeedResetWindow = true;
    request.exchange(code);
    abortFrame.exchange(1);
    goPending.exchange(1);
    ResetReady();
    renderGoEvent.Set();
    if (code == kRequestWindow)
        g_FullScreen = false;
    frameMutex.Release();
    return true;
}

void RenderPoolManager::RunOnRenderThread(std::function<void()> task)
{
    if (!task)
        return;
    if (!HasThread() || !threadRunning.load() || IsRenderThread()) {
        task();
        return;
    }
    // The request word holds one request: one still pending is run first
    // rather than overwritten.
    for (;;) {
        frameMutex.Acquire(kInfinite);
        if (request.load() == 0 || !threadRunning.load())
            break;
        goPending.exchange(1);
        renderGoEvent.Set();
        frameMutex.Release();
        WaitRequestDone();
    }
    pendingTask = std::move(task);
    request.exchange(kRequestTask);
    goPending.exchange(1);
    renderGoEvent.Set();
    frameMutex.Release();
    WaitRequestDone();
}

// --- render-thread side ------------------------------------------------------

void RenderThreadProc(RenderPoolManager* manager)
{
    platform::DebugOutput("=> In Thread ...\n");
    platform::DebugOutput("=> In Thread ...\n");
    // The display mode comes from the user's configuration (full screen
    // without one); the command line's "--windowed" holds for its run
    // whatever the configuration says. It is read before the window exists
    // so that a full screen window is created full screen.
    GameConfig config;
    config.LoadUserConfig();
    platform::DebugOutput("=> ReadFileConf...\n");
    const bool windowed = g_StartWindowed.load() || config.IsWindowed();
    g_FullScreen = !windowed;
    g_VSync = config.GetVSync();

    std::unique_ptr<platform::Window> window = CreateGameWindow();
    bool started = false;
    if (window) {
        platform::DebugOutput("=> Window...\n");

        platform::WindowMessage message;
        while (window->PollMessage(message, nullptr)) { }
        platform::DebugOutput("=> PeekMesssages...\n");

        g_DevicePool = manager;
        started = CreateD3DDevice(512, 448, window.get(), false);
    }
    if (started) {
        platform::DebugOutput("=> InitDisplay3D...\n");
        window->Show();
        platform::DebugOutput("=> ShowWindow...\n");
    } else {
        ReportStartFailure("DirectX can't be initialized");
        manager->startFailed = true;
        manager->quitting = true;
    }
    if (started)
        manager->LogOutOfScopeLoad("");
    manager->idle.exchange(1);
    if (!manager->startFailed)
        manager->RenderLoop();

    D3D_Cleanup();
    g_DevicePool = nullptr;
    g_hWnd = nullptr;
    window.reset();
    platform::Window::ReleaseThreadData();
    manager->threadRunning = false;
    manager->requestDoneEvent.Set();
    manager->renderEndEvent.Set();
}

void RenderPoolManager::RenderLoop()
{
    bool quitRequested = false;
    while (!quitRequested && !quitting.load()) {
        if (goPending.load() == 0 && !messageWaitMode.load()) {
            goMutex.Acquire(kInfinite);
            if (loading.load() == 0) {
                while (!renderGoEvent.WaitFor(kPumpSliceMs) && PumpMessage()) { }
            } else {
                renderEndEvent.Reset();
                if (loadingHold.load() != 0) {
                    while (!renderGoEvent.WaitFor(kPumpSliceMs) && PumpMessage()) { }
                } else {
                    renderGoEvent.WaitFor(30);
                }
            }
            goMutex.Release();
            if (quitting.load())
                break;
        } else if (messageWaitMode.load()) {
            if (!renderGoEvent.WaitFor(messageWaitTimeout)) {
                platform::DebugOutput("WAITING POST MESSAGE ...\n");
                messageWaitTimeout = 10000;
            } else {
                platform::DebugOutput("POST MESSAGE\n");
            }
        }

        frameMutex.Acquire(kInfinite);
        goPending.exchange(0);
        rendering.exchange(1);
        renderGoEvent.Reset();
        if (request.load() != kRequestQuit)
            RenderThreadStep();
        if (request.load() == kRequestQuit) {
            FinishRequest();
            quitRequested = true;
        }
        rendering.exchange(0);
        renderEndEvent.Set();
        frameMutex.Release();
    }
}

bool RenderPoolManager::PumpMessage()
{
    if (!g_hWnd)
        return true;
    platform::WindowMessage message;
    while (g_hWnd->PollMessage(message, &inputBridge)) {
        if (message.type == platform::WindowMessage::Type::Quit) {
            // The window is gone: the main loop's quit test sees this and
            // shuts down; the render thread leaves its loop.
            quitting = true;
            return false;
        }
        GameWindowProc(*g_hWnd, message);
    }
    return true;
}

void RenderPoolManager::RenderThreadStep()
{
    if (!PumpMessage())
        return;
    GLTexture::DeleteOrphans();

    // Requests 1, 2, 3 and the tasks are the whole step.
    const auto runAlone = [this](const auto& work) {
        idle.exchange(0);
        work();
        FinishRequest();
        idle.exchange(1);
    };
    switch (request.load()) {
    case kRequestLoadEffects:
        return runAlone([this] { LoadEffects(); });
    case kRequestLoadImages:
        return runAlone([this] { LoadPendingImages(); });
    case kRequestClearFrames:
        return runAlone([this] { ClearAllFrames(); });
    case kRequestTask:
        return runAlone([this] {
            if (const std::function<void()> task = std::exchange(pendingTask, nullptr))
                task();
        });
    case kRequestFullScreen:
    case kRequestWindow:
    case kRequestDisplaySettings:
        RunDisplayRequest(request.load());
        break;
    default:
        break;
    }

    if (!frameImages[renderSlot.load()].empty()) {
        idle.exchange(0);
        ResolveSlotImages(renderSlot.load());
        idle.exchange(1);
    }
    if (g_NeedResetWindow) {
        idle.exchange(0);
        platform::DebugOutput("D3D_NeedResetWindow ...\n");
        D3D_ResetToWindowSize();
        idle.exchange(1);
    }
    if (!IsDeviceOk()) {
        if (!messageWaitMode) {
            g_InScene = false;
            platform::DebugOutput("Lost Focus ...\n");
            messageWaitMode = true;
        }
        return;
    }
    if (needResetAll) {
        platform::DebugOutput("NeedResetAll ... \n");
        needResetAll = false;
        frameCommands[renderSlot.load()].clear();
        platform::DebugOutput("OK\n");
    }
    if (ready.load() == 0) {
        // The word first: a waiter woken by the event must find it set, or
        // it waits out its whole time-out for a signal that already came.
        ready.exchange(1);
        readyGoEvent.Set();
    }
    if (loading.load() != 0 && loadingHold.load() == 0) {
        if (RenderGameAccess* game = GetRenderGameAccess())
            game->Render(false);
    }
    if (g_RenderEngine)
        g_RenderEngine->ResetDrawCount();
    // Claim the slot before replaying it; re-read in case a hand-over moved
    // the index in between.
    int32_t slot = renderSlot.load();
    for (;;) {
        renderingSlot.store(slot);
        const int32_t again = renderSlot.load();
        if (again == slot)
            break;
        slot = again;
    }
    RenderFrame(frameCommands[slot], slot);
    renderingSlot.store(-1);
    if (g_RenderEngine)
        g_RenderEngine->SetCurrentCommand(nullptr);
}

void RenderPoolManager::RunDisplayRequest(int32_t code)
{
    if (RenderGameAccess* game = GetRenderGameAccess())
        game->Render(true);
    idle.exchange(0);
    switch (code) {
    case kRequestFullScreen:
        D3D_TryRestoreDevice(g_FullScreen, g_BackBufferWidth, g_BackBufferHeight, true);
        g_FullScreen = true;
        if (FillPresentParameters(512, 448, g_hWnd, false))
            CreateD3DDevice(512, 448, g_hWnd, true);
        // The device objects are rebuilt on the new device, as after a reset.
        D3D_TryRestoreDevice(g_FullScreen, g_BackBufferWidth, g_BackBufferHeight, false);
        if (g_hWnd) {
            g_hWnd->SetBordered(false);
            g_hWnd->Show();
        }
        break;
    case kRequestWindow:
        D3D_TryRestoreDevice(false, g_BackBufferWidth, g_BackBufferHeight, true);
        if (g_hWnd) {
            g_hWnd->SetDesktopFullScreen(false);
            g_hWnd->SetBordered(true);
            PumpMessage();
            FinishRequest();
            // Back in a window at its size, shown and focused: never left
            // minimised or at the full screen's size.
            FitGameWindow();
            g_hWnd->SetCursorVisible(true);
            PumpMessage();
        }
        // The next device test finds no device and rebuilds it; the pending
        // window reset then fits the back buffer to the client area.
        break;
    case kRequestDisplaySettings:
        D3D_TryRestoreDevice(g_FullScreen, g_BackBufferWidth, g_BackBufferHeight, false);
        break;
    default:
        break;
    }
    FinishRequest();
    idle.exchange(1);
}

void RenderPoolManager::ResolveSlotImages(int slot)
{
    std::vector<ISprite*>& images = frameImages[slot];
    for (size_t i = 0; i < images.size(); ++i) {
        imageCursor.store(static_cast<int32_t>(i));
        if (images[i])
            images[i]->LoadImage();
    }
    imageCursor.store(-1);
    images.clear();
}

void RenderPoolManager::LoadPendingImages()
{
    if (imageObjects)
        imageObjects();
    for (int slot = 0; slot < kSlotCount; ++slot)
        if (!frameImages[slot].empty())
            ResolveSlotImages(slot);
}

void RenderPoolManager::ClearAllFrames()
{
    for (auto& list : frameCommands)
        list.clear();
    for (auto& list : frameImages)
        list.clear();
}

void RenderPoolManager::LoadEffects()
{
    effectList.Create();
    // Made effects are loaded at once (the device restore reloads them).
    if (auto* engine = dynamic_cast<DXRenderEngine*>(g_RenderEngine); engine && g_Device)
        engine->LoadAllShaderRes();
}

void RenderPoolManager::LogOutOfScopeLoad(const std::string& name)
{
    const std::string user = GetUserPath();
    const std::string path = user + "LoadPNG_OutOfLoadingScope.log";
    platform::DebugOutput(name + "\n");
    const std::lock_guard<std::mutex> lock(loadLogMutex);
    // No user folder: the names are said, not written.
    if (user.empty())
        return;
    if (!loadLogRead) {
        // The names of earlier runs, so each is written once; then the log
        // stays open for appending (the start-up's call makes the file).
        loadLogRead = true;
        {
            std::ifstream existing = platform::OpenRegularFile(path);
            std::string line;
            RawLine got = RawLine::kLine;
            while ((got = ReadRawLine(existing, line)) == RawLine::kLine)
                loggedImageNames.push_back(line);
            if (got == RawLine::kReadError) {
                loadLogUnreadable = true;
                platform::ReportProblem(path + ": expected a line, found " + std::string(kFoundReadError)
                    + "; the log is left as it is\n");
            }
        }
        if (!loadLogUnreadable)
            loadLog.open(path, std::ios::binary | std::ios::app);
    }
    // The opening call's empty name is not an image: no line for it.
    if (name.empty() || loadLogUnreadable)
        return;
    if (std::find(loggedImageNames.begin(), loggedImageNames.end(), name) != loggedImageNames.end())
        return;
    if (loadLog.is_open() && !loadLog.bad()) {
        loadLog << name << "\r\n" << std::flush;
        loggedImageNames.push_back(name);
    }
}

void RenderPoolManager::ReportFirstContentFrame(IRenderEngine* engine)
{
    // The start-up's one figure a player sees: when the first frame that drew
    // something (not the black first frame) reached the window.
    if (firstContentReported || !engine || engine->GetDrawCount() == 0)
        return;
    firstContentReported = true;
    const double ms = platform::MillisecondsSinceProcessStart();
    platform::DebugOutput("First frame with content presented " + std::to_string(int(ms + 0.5))
        + " ms after the process started\n");
}

void RenderPoolManager::ReportFirstPicture()
{
    // Read back before the copy into the window presents it: one read of the
    // picture a frame, and only until the first that shows something. In a
    // level named at start-up the first such picture is the loading screen,
    // so the first of the game itself (once loading has ended) is reported
    // too, each naming which picture it was.
    const bool loadingScreen = loading.load() != 0;
    if (firstGamePictureReported || (loadingScreen && firstPictureReported) || !platform::IsDebugLogOn())
        return;
    std::vector<uint32_t> argb;
    if (!ReadPicturePixels(0, 0, g_BackBufferWidth, g_BackBufferHeight, argb))
        return;
    if (std::none_of(argb.begin(), argb.end(), [](uint32_t pixel) { return (pixel & 0xFFFFFFu) != 0; }))
        return;
    const std::string ms = std::to_string(int(platform::MillisecondsSinceProcessStart() + 0.5));
    const char* which = loadingScreen ? "the loading screen" : "a frame of the game";
    if (!firstPictureReported) {
        firstPictureReported = true;
        platform::DebugOutput("First picture that is not all black presented " + ms
            + " ms after the process started (" + which + ")\n");
    }
    if (!loadingScreen) {
        firstGamePictureReported = true;
        platform::DebugOutput(
            "First game picture that is not all black presented " + ms + " ms after the process started\n");
    }
}

void RenderPoolManager::RenderFrame(std::vector<RenderPoolCommand>& commands, int consoleSlot)
{
    IRenderEngine* engine = g_RenderEngine;
    RenderGameAccess* game = GetRenderGameAccess();
    for (size_t i = 0; i < commands.size(); ++i) {
        RenderPoolCommand& command = commands[i];
        const int32_t loadingAtStart = loading.load();
        if (engine)
            engine->SetCurrentCommand(&command);
        const std::string& name = command.GetName();
        if (!name.empty()) {
            if (game)
                game->SetCurrentPostEffect(command.GetEffect());
            if (name == "ClearScreen") {
                if (engine)
                    engine->Clear(command.GetColour(), 0);
            } else if (name == "StretchBackbuffer true") {
                ReportFirstPicture();
                ApplyFinalPostEffect(engine, false);
                ReportFirstContentFrame(engine);
                if (g_ScreenshotRequested)
                    TakeScreenshot(GetRenderGameState().levelName);
            } else if (name == "StretchBackbuffer false") {
                ApplyFinalPostEffect(engine, true);
            } else if (name == "StartRendering") {
                if (engine)
                    engine->BeginScene(false);
            } else if (name == "game_debug_D3D") {
                if (consoleSlot != -1 && consoleSlot < kSlotCount && engine) {
                    DevConsole& console = frameStates[consoleSlot];
                    console.AddDebugMessage(
                        true, "Sprite Draw : " + std::to_string(engine->GetDrawCount()), 0xFFC8C8C8u, 2.0);
                    engine->BeginScene(false);
                    DrawFpsOverlay(console);
                    engine->EndScene(false);
                }
            } else if (name == "EndRendering") {
                if (engine)
                    engine->EndScene(false);
            } else if (name == "ResetLoadingState") {
                loading.exchange(0);
                loadingHold.exchange(0);
            }
        } else if (engine) {
            DrawRecordedCommand(*engine, command);
        }
        if (abortFrame.load() != 0 || loading.load() != loadingAtStart) {
            if (g_InScene && engine)
                engine->EndScene(false);
            abortFrame.exchange(0);
            goPending.exchange(1);
            break;
        }
    }
    if (game)
        game->SetCurrentPostEffect(nullptr);
}
