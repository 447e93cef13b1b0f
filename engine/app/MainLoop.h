#pragma once

#include <cstdint>

struct PostChainResult;
class DXRenderEngine;
class MainLoopGame;

// The main thread's loop after start-up: one pass per frame until the render
// thread reports that the window is gone. A pass updates the game and, when
// there is a frame to show, records it and hands it to the render thread
// under the game's mutex. A pass with nothing to show waits until the next
// fixed-step tick is due instead of spinning.
class MainLoop {
public:
    enum class Pass {
        Quit,               // the loop ends
        NotReady,           // the render thread has no usable device yet
        DeviceLost,         // direct mode: the device cannot draw now
        ResetFailed,        // direct mode: the window's new size could not be applied
        LevelChangePending, // the update left a level change waiting
        Skipped,            // no tick was due: no frame recorded
        Recorded,           // a frame was recorded (and handed over)
    };

    MainLoop(MainLoopGame& game, DXRenderEngine& engine);

    // One pass of the loop.
    Pass RunPass();
    // Passes until the loop ends; a skipped pass sleeps until the next tick.
    void Run();

    // Passes that recorded a frame, and all passes.
    int64_t GetRecordedFrames() const { return recordedFrames; }
    int64_t GetPasses() const { return passes; }

private:
    bool WaitUntilReady();
    PostChainResult RecordFrame();

    MainLoopGame& game;
    DXRenderEngine& engine;
    int64_t recordedFrames = 0;
    int64_t passes = 0;
    bool lastHandedOver = false;
};
