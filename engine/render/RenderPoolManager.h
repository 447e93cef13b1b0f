#pragma once

#include "engine/app/DevConsole.h"
#include "engine/platform/Event.h"
#include "engine/platform/InputBridge.h"
#include "engine/platform/Mutex.h"
#include "engine/render/EffectList.h"
#include "engine/render/RenderPoolCommand.h"

#include <atomic>
#include <cstdint>
#include <fstream>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class IRenderEngine;
class ISprite;

// The overlay commands: draws recorded outside the frame's own order and
// drawn over the level, after its layers and debug boxes (AddCommands copies
// them into the frame being filled; in direct mode DrawCommandsNow draws
// them). Two kinds share the list, in this order: the commands that the
// update's background events append (the cut-scene's darkening), kept until
// the events' next pass on an update frame, so that every frame drawn until
// then shows them; and the copies of the cut-scene layers' commands that the
// layers capture while the level is drawn, dropped once the frame has them.
// A level release empties the list (its sprites go with the level).
extern std::vector<RenderPoolCommand> g_DeferredCommands;

// Draws recorded commands at once on the engine, as the render thread replays
// a frame's draws: rectangles and sprites with the state they were recorded
// with; named commands are passed over.
void DrawCommandsNow(IRenderEngine* engine, const std::vector<RenderPoolCommand>& commands);

// Owner of the render thread. The render thread creates the game window and
// the GL device, pumps the window's events and replays, frame by frame, the
// command lists that the main thread fills and hands over through a ring of
// 10 slots. Work that must run on the render thread between frames is asked
// for through the request word.
class RenderPoolManager {
public:
    static constexpr int kSlotCount = 10;

    enum Request : int32_t {
        kRequestNone = 0,
        kRequestLoadEffects = 1,
        kRequestLoadImages = 2,
        kRequestClearFrames = 3,
        kRequestFullScreen = 4,
        kRequestWindow = 5,
        kRequestDisplaySettings = 6,
        kRequestTask = 7, // runs a caller's task on the render thread (read-backs, tools)
        kRequestQuit = -1,
    };

    // Builds the manager and, unless told otherwise, starts the render thread.
    explicit RenderPoolManager(bool startThread = true);
    // Stops and joins a render thread that is still running.
    virtual ~RenderPoolManager();
    RenderPoolManager(const RenderPoolManager&) = delete;
    RenderPoolManager& operator=(const RenderPoolManager&) = delete;

    // Main-thread side -------------------------------------------------------
    bool SubmitFrame(bool force, bool noSignal, bool renderNow);
    void CopyFrameState(const DevConsole& console);
    void AddCommand(const RenderPoolCommand& command);
    void AddCommand(RenderPoolCommand&& command);
    void AddCommands();
    RenderPoolCommand* GetLastCommand();
    void RemoveLastCommand();
    void GetCommandsFrom(int first, std::vector<RenderPoolCommand*>& out);
    void ClearCurrentFrame();
    // Queues the sprite's image for the render thread's image pass of the
    // frame being filled (without a render thread there is nothing to queue).
    void QueueSpriteImage(ISprite* sprite);
    bool IsReady() const { return ready.load() != 0; }
    // Waits, at most `boundMs`, for the render thread to finish its start
    // (the window and the device made, or given up): a graphics start-up that
    // stalls must not hold the program for ever. The wait ends as well as
    // soon as `endAsked` (looked at between checks) says an end is asked.
    enum class StartResult { kStarted, kFailed, kTimedOut, kEndAsked };
    StartResult WaitForStart(uint32_t boundMs, const std::function<bool()>& endAsked = {}) const;
    void ResetReady();
    void RequestLoadEffects();
    // The image pass on the render thread: the game's loadObjects (the images
    // of the objects it hands over), then every queued sprite image.
    void RequestLoadImages(std::function<void()> loadObjects, bool waitForEnd);
    void RequestClearFrames();
    void RequestQuit();
    // The display-mode requests of the options menu (4 full screen, 5 window,
    // 6 re-apply): posted between steps under frameMutex. False when the
    // mutex did not come within the time-out (nothing posted).
    bool PostDisplayRequest(int32_t code, uint32_t mutexTimeout);
    // Runs the task on the render thread between steps and returns once it
    // ran (after a request still pending); without a render thread it runs on
    // the caller.
    void RunOnRenderThread(std::function<void()> task);

    bool HasThread() const { return thread.joinable(); }
    // True while the render thread's loop runs.
    bool IsRenderThreadRunning() const { return threadRunning.load(); }
    platform::InputBridge& GetInputBridge() { return inputBridge; }
    std::vector<RenderPoolCommand>& GetFillCommands() { return frameCommands[fillSlot.load()]; }

    // Replays one command list on the calling thread.
    void RenderFrame(std::vector<RenderPoolCommand>& commands, int consoleSlot);
    // Makes the effects of the effect list (once) and loads them; failures
    // are listed on the debugger output.
    void LoadEffects();
    // Notes an image loaded outside a loading screen in the user folder's
    // "LoadPNG_OutOfLoadingScope.log", each name once across runs. The first
    // call (the render thread's start, with an empty name) reads the names
    // logged before and opens the log for appending, which makes the file.
    void LogOutOfScopeLoad(const std::string& name);
    const EffectList& GetEffectList() const { return effectList; }

    // Fields ----------------------------------------------------------------
    // The main thread, the game core and the menu read and write several of
    // them directly, as the frame protocol describes.
    std::atomic<int32_t> renderSlot {0};
    std::atomic<int32_t> fillSlot {1};
    std::atomic<int32_t> publishedSlot {0};
    std::vector<std::vector<RenderPoolCommand>> frameCommands;
    std::vector<DevConsole> frameStates;
    std::vector<std::vector<ISprite*>> frameImages;
    std::function<void()> imageObjects;
    std::thread thread;
    platform::Event renderGoEvent {true, false};
    platform::Event renderEndEvent {false, false};
    platform::Event readyGoEvent {false, false};
    // Set whenever the render thread clears the request word, and when its
    // loop ends: the request waits wait on it.
    platform::Event requestDoneEvent {true, false};
    platform::TimedMutex frameMutex;
    platform::TimedMutex goMutex;
    std::atomic<int32_t> abortFrame {0};
    std::atomic<int32_t> rendering {0};
    std::atomic<int32_t> loading {0};
    std::atomic<int32_t> loadingHold {0};
    std::atomic<int32_t> goPending {0};
    std::atomic<int32_t> imageCursor {-1};
    uint32_t messageWaitTimeout = 10000;
    std::atomic<bool> messageWaitMode {false};
    std::atomic<bool> needResetAll {false};
    std::atomic<bool> quitting {false};
    std::vector<std::string> loggedImageNames;
    std::atomic<int32_t> ready {0};
    std::atomic<int32_t> request {0};
    std::atomic<int32_t> idle {0};
    std::ofstream loadLog;
    // Images load on either thread: one writer of the log at a time.
    std::mutex loadLogMutex;
    bool loadLogRead = false;
    // The log could not be read (a read error): it is not written either.
    bool loadLogUnreadable = false;
    bool firstContentReported = false;
    bool firstPictureReported = false;
    bool firstGamePictureReported = false;
    // Set when the render thread could not open the window or the GL device;
    // the program then reports the error and ends instead of waiting.
    std::atomic<bool> startFailed {false};
    // The slot the render thread is replaying, -1 between replays; the
    // producer never clears or refills it.
    std::atomic<int32_t> renderingSlot {-1};

private:
    friend void RenderThreadProc(RenderPoolManager* manager);
    void RenderLoop();
    void RenderThreadStep();
    // Logs, once, the first presented frame that drew something.
    void ReportFirstContentFrame(IRenderEngine* engine);
    // Logs, only with the debug log on, the first presented picture that is
    // not all black (the title fades in from black), naming whether it was
    // the loading screen, and the first such picture of the game itself.
    void ReportFirstPicture();
    bool PumpMessage();
    void LoadPendingImages();
    void ClearAllFrames();
    void ResolveSlotImages(int slot);
    void RunDisplayRequest(int32_t code);
    // Waits until the request word is back to 0 (or the loop has ended).
    void WaitRequestDone();
    // Clears the request word and wakes the request waits (render thread).
    void FinishRequest();
    bool IsRenderThread() const;

    std::atomic<bool> threadRunning {false};
    platform::InputBridge inputBridge;
    std::function<void()> pendingTask;
    EffectList effectList;
};

void RenderThreadProc(RenderPoolManager* manager);
