#include "engine/render/PostChain.h"

#include "engine/render/DXRenderEngine.h"
#include "engine/render/RenderPoolManager.h"
#include "engine/render/ShaderRes.h"

#include <chrono>
#include <thread>

namespace {

template <class Effect>
std::unique_ptr<Effect> MakeTimed(
    DXRenderEngine& engine, const char* name, float duration, bool running, bool loop, int mode)
{
    return std::make_unique<Effect>(engine.FindShaderRes(name), duration, !running, 0.0f, 0.0f, loop, mode);
}

bool IsLoaded(const ShaderEffect* effect)
{
    return effect && effect->GetShader() && effect->GetShader()->IsLoaded();
}

bool IsLoadedAndRunning(const ShaderEffect_PostProcess_TimeDependent* effect)
{
    return IsLoaded(effect) && effect->IsRunning();
}

// One full-screen pass: a command carrying a copy of the effect, or at once.
void ApplyScreenEffect(GraphicalEffect* effect, DXRenderEngine& engine)
{
    if (!effect)
        return;
    if (RenderPoolManager* pool = engine.GetRecordingPool())
        pool->AddCommand(RenderPoolCommand::Named("StretchBackbuffer false", effect->Clone()));
    else
        ApplyFinalPostEffect(&engine, true, effect);
}

void AddNamed(DXRenderEngine& engine, const char* name)
{
    if (RenderPoolManager* pool = engine.GetRecordingPool())
        pool->AddCommand(RenderPoolCommand::Named(name));
}

void RenderUIScene(PostChainHost& host, DXRenderEngine& engine)
{
    if (engine.GetRecordingPool()) {
        AddNamed(engine, "StartRendering");
        host.RenderUI();
        AddNamed(engine, "EndRendering");
    } else {
        engine.BeginScene(false);
        host.RenderUI();
        engine.EndScene(false);
    }
}

void ApplyMotionBlur(ShaderEffect_PostProcess_TimeDependent* moBlur, float advance, DXRenderEngine& engine)
{
    if (!moBlur)
        return;
    moBlur->Start(0);
    moBlur->Advance(advance);
    ApplyScreenEffect(moBlur, engine);
}

} // namespace

PostEffects CreatePostEffects(DXRenderEngine& engine, bool linearFilter)
{
    using Timed = ShaderEffect_PostProcess_TimeDependent;
    PostEffects effects;
    effects.fadeToColor = MakeTimed<Timed>(engine, "fullFX_FadeToColor", 30.0f, false, false, 2);
    effects.fadeToColorInv = MakeTimed<Timed>(engine, "fullFX_FadeToColorInv", 30.0f, false, false, 2);
    effects.fadeToColorDarkFirst
        = MakeTimed<Timed>(engine, "fullFX_FadeToColor_DarkFirst", 30.0f, true, false, 2);
    effects.water = MakeTimed<Timed>(engine, "fullFX_WaterEffect", 120.0f, false, true, 1);
    effects.base = std::make_unique<ShaderEffect_PostProcess>(
        engine.FindShaderRes(linearFilter ? "BasicPostEffect_Linear" : "BasicPostEffect_Point"));
    effects.moBlur = MakeTimed<Timed>(engine, "fullFX_MoBlur", 100.0f, false, false, 2);
    effects.bloom = MakeTimed<Timed>(engine, "fullFX_Bloom", 30.0f, true, true, 1);
    effects.brightness
        = std::make_unique<ShaderEffect_PostProcess>(engine.FindShaderRes("fullFX_Brightness"));
    return effects;
}

void StepPostEffects(PostEffects& effects)
{
    for (ShaderEffect_PostProcess_TimeDependent* effect : {effects.fadeToColor.get(),
             effects.fadeToColorInv.get(), effects.fadeToColorDarkFirst.get(), effects.water.get()})
        if (effect)
            effect->Update();
}

void ApplyScreenEffects(
    PostEffects& effects, const PostChainFrame& frame, PostChainHost& host, DXRenderEngine& engine)
{
    RenderPoolManager* pool = engine.GetRecordingPool();
    if (frame.levelLoaded) {
        if (frame.uiState != 4 && IsLoadedAndRunning(effects.water.get()))
            ApplyScreenEffect(effects.water.get(), engine);
        if (frame.endingMode > 0)
            ApplyScreenEffect(effects.fadeToColorDarkFirst.get(), engine);
        if (frame.uiState != 4)
            RenderUIScene(host, engine);
        if (frame.uiState != 0) {
            if (IsLoadedAndRunning(effects.fadeToColor.get()) && frame.firstTransitionCounter == -1)
                ApplyScreenEffect(effects.fadeToColor.get(), engine);
            if (IsLoadedAndRunning(effects.fadeToColorInv.get()))
                ApplyScreenEffect(effects.fadeToColorInv.get(), engine);
        }
        if (frame.motionBlurLevel > 0)
            ApplyMotionBlur(effects.moBlur.get(), float(frame.motionBlurLevel) * 20.0f, engine);
    } else {
        // The render thread first reaches its idle state.
        if (pool)
            while (pool->idle.load() == 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        host.RenderUI();
        if (pool)
            AddNamed(engine, "EndRendering");
        else
            engine.EndScene(false);
        if (IsLoadedAndRunning(effects.fadeToColorDarkFirst.get()))
            ApplyScreenEffect(effects.fadeToColorDarkFirst.get(), engine);
        ApplyMotionBlur(effects.moBlur.get(), 50.0f, engine);
    }
}

PostChainResult EndFrame(
    PostEffects& effects, const PostChainFrame& frame, PostChainHost& host, DXRenderEngine& engine)
{
    RenderPoolManager* pool = engine.GetRecordingPool();
    // At the neutral level the pass would give back the picture it read.
    if (effects.brightness && frame.brightnessLevel != kNeutralBrightness) {
        effects.brightness->SetInputValue(float(frame.brightnessLevel));
        ApplyScreenEffect(effects.brightness.get(), engine);
    }
    host.UpdateDevConsole();

    PostChainResult result;
    if (!pool) {
        host.DrawFpsOverlay();
        engine.EndScene(false);
        ApplyFinalPostEffect(&engine, false, effects.base.get());
        return result;
    }
    AddNamed(engine, "game_debug_D3D");
    const bool holding = pool->loadingHold.load() != 0;
    if (holding)
        AddNamed(engine, "ResetLoadingState");
    pool->AddCommand(
        RenderPoolCommand::Named("StretchBackbuffer true", effects.base ? effects.base->Clone() : nullptr));
    result.submitted = pool->SubmitFrame(false, false, false);
    result.waitForRenderEnd = holding;
    return result;
}

PostChainResult FinishFrame(
    PostEffects& effects, const PostChainFrame& frame, PostChainHost& host, DXRenderEngine& engine)
{
    ApplyScreenEffects(effects, frame, host, engine);
    return EndFrame(effects, frame, host, engine);
}
