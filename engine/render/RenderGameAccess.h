#pragma once

#include "engine/serial/Point.h"

#include <cstdint>
#include <string>

class DevConsole;
class GraphicalEffect;

// The game's state that a recorded draw and the final pass read.
struct RenderGameState {
    bool fixedStepTick = false;
    bool secondStateFlag = false;
    int32_t frameAdvance = 0;
    // The camera's position in the level, rounded.
    Point<int> cameraWorld;
    // How the 512 x 448 picture fits the window: 0 fit, 1 fill, 2 stretch.
    int32_t displayScaleMode = 0;
    bool linearFilter = false;
    // The current level's name; empty without a level.
    std::string levelName;
};

// What the render pool and the render engine ask of the game object: its
// console (each submitted frame keeps a copy), a frame built from the render
// thread (the loading screen, the display requests), its drawing state, and
// where the effect of the named command being replayed is published. The game
// object installs itself with SetRenderGameAccess while it exists; without it
// frames carry no console, nothing is rendered for the loading screen, and
// draws record the neutral state.
class RenderGameAccess {
public:
    virtual ~RenderGameAccess() = default;

    // The console whose state each submitted frame copies; null for none.
    virtual DevConsole* GetConsole() = 0;
    // Builds and submits one frame.
    virtual void Render(bool fromMainThread) = 0;
    virtual RenderGameState GetRenderState() = 0;
    // The effect of the named command being replayed (the final pass applies
    // it), null between commands; not owned.
    virtual void SetCurrentPostEffect(GraphicalEffect* effect) = 0;
    virtual GraphicalEffect* GetCurrentPostEffect() = 0;
    // Whether the game has a current level (an image loaded then, outside
    // the loading screen, is noted in the load log). None by default.
    virtual bool HasCurrentLevel() const { return false; }
    // The device objects were built again (a display change or a resize):
    // the game draws a frame and, in the middle of play, pauses. None by
    // default.
    virtual void OnDeviceRestored() { }
};

RenderGameAccess* GetRenderGameAccess();
void SetRenderGameAccess(RenderGameAccess* access);
// The installed game's state, or the neutral state without a game.
RenderGameState GetRenderGameState();
