#pragma once

class DevConsole;
class PostChainHost;
struct PostChainFrame;
struct PostEffects;

namespace platform {
class TimedMutex;
}

// What the main loop needs of the game object, which implements it. One pass
// updates the game, then, unless the pass has nothing to show, records the
// frame: the level (or the screen without a level), then the end of the frame
// through the post chain with the game as its host.
class MainLoopGame {
public:
    virtual ~MainLoopGame() = default;

    virtual DevConsole& GetConsole() = 0;
    // The game's update of one pass.
    virtual void Update() = 0;
    // The fixed-step tick flag the update set.
    virtual bool IsUpdateFrame() const = 0;
    // A level change still waits after the update: the frame is not drawn.
    virtual bool HasPendingLevelChange() const = 0;
    virtual bool HasLevel() const = 0;
    virtual bool IsMenuPaused() const = 0;
    // The options that allow a pass without a tick to skip its frame: the
    // vertical sync option or the frame-limit option.
    virtual bool MaySkipFrames() const = 0;
    // Milliseconds before the next fixed-step tick is due.
    virtual double MillisecondsToNextTick() const = 0;
    // Taken around the recording of a frame; null for none.
    virtual platform::TimedMutex* GetGameMutex() = 0;
    // The full-screen effects made at start-up; null before.
    virtual PostEffects* GetPostEffects() = 0;
    // Draws the level's part of a frame inside the open scene: the level or
    // the full-screen map, the debug outlines, the deferred commands and the
    // transition overlays.
    virtual void RenderLevel() = 0;
    // The game's values for the end of the frame.
    virtual PostChainFrame GetFrameState() const = 0;
    virtual PostChainHost& GetPostChainHost() = 0;
    // Reads the input devices once.
    virtual void PollInput() = 0;
};
