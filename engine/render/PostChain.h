#pragma once

#include "engine/render/ShaderEffect_PostProcess.h"

#include <memory>

class DXRenderEngine;

// The eight full-screen effects of the game, each made from the effect of its
// name (start-up): the three fades, water, the final copy ("base"), motion
// blur, bloom and brightness.
struct PostEffects {
    std::unique_ptr<ShaderEffect_PostProcess_TimeDependent> fadeToColor;
    std::unique_ptr<ShaderEffect_PostProcess_TimeDependent> fadeToColorInv;
    std::unique_ptr<ShaderEffect_PostProcess_TimeDependent> fadeToColorDarkFirst;
    std::unique_ptr<ShaderEffect_PostProcess_TimeDependent> water;
    std::unique_ptr<ShaderEffect_PostProcess> base;
    std::unique_ptr<ShaderEffect_PostProcess_TimeDependent> moBlur;
    std::unique_ptr<ShaderEffect_PostProcess_TimeDependent> bloom;
    std::unique_ptr<ShaderEffect_PostProcess> brightness;
};

// Makes the eight effects from the engine's effects: the dark-first fade and
// bloom start running, the other timed effects rest at their end. The final
// copy is the linear one with linearFilter, else the point one.
PostEffects CreatePostEffects(DXRenderEngine& engine, bool linearFilter);

// The per-frame step of the timed fades and water, in the main loop's order.
void StepPostEffects(PostEffects& effects);

// The brightness level that leaves the picture as it is.
constexpr int kNeutralBrightness = 10;

// What the end of a frame needs of the game.
struct PostChainFrame {
    bool levelLoaded = false;
    int uiState = 0; // 4: the full-screen map
    int endingMode = 0;
    int firstTransitionCounter = -1; // -1: inactive
    int motionBlurLevel = 0;         // 0 to 2
    int brightnessLevel = 10;        // 0 to 20
};

// The game's parts of the end of a frame.
class PostChainHost {
public:
    virtual ~PostChainHost() = default;
    virtual void RenderUI() = 0;
    virtual void UpdateDevConsole() = 0;
    // Direct mode's debug text (recording mode asks the render thread).
    virtual void DrawFpsOverlay() = 0;
};

struct PostChainResult {
    bool submitted = false;
    // The render pool held the loading screen: the pass waits for the
    // render thread's end of frame before going on.
    bool waitForRenderEnd = false;
};

// Ends a frame whose scene has been drawn and closed (the level pass) or
// only opened (the screen without a level): ApplyScreenEffects, then
// EndFrame. In recording mode as commands of the frame, handed to the render
// thread, in direct mode drawn at once.
PostChainResult FinishFrame(
    PostEffects& effects, const PostChainFrame& frame, PostChainHost& host, DXRenderEngine& engine);

// The screen effects of a frame: with a level, water, the ending fade, the UI
// in a scene of its own, the fades and motion blur; without one, the UI in
// the open scene, the dark-first fade and motion blur. The level pass's timed
// section ends here.
void ApplyScreenEffects(
    PostEffects& effects, const PostChainFrame& frame, PostChainHost& host, DXRenderEngine& engine);

// The rest of the frame: brightness, the console line, the debug text and the
// final copy (in recording mode the hand-over to the render thread).
PostChainResult EndFrame(
    PostEffects& effects, const PostChainFrame& frame, PostChainHost& host, DXRenderEngine& engine);
