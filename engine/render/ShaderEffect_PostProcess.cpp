#include "engine/render/ShaderEffect_PostProcess.h"

#include "engine/render/D3DDevice.h"
#include "engine/render/EffectQuad.h"
#include "engine/render/IRenderEngine.h"
#include "engine/render/RenderGameAccess.h"
#include "engine/render/RenderPoolCommand.h"
#include "engine/render/ShaderRes.h"

Point<int> PictureTextureSize()
{
    return Point<int>(int(NextPowerOfTwo(uint32_t(std::max(g_BackBufferWidth, 1)))),
        int(NextPowerOfTwo(uint32_t(std::max(g_BackBufferHeight, 1)))));
}

ShaderEffect_PostProcess::ShaderEffect_PostProcess(ShaderRes* shader)
    : ShaderEffect(shader)
{
    spriteFlag = 1;
}

std::unique_ptr<GraphicalEffect> ShaderEffect_PostProcess::Clone() const
{
    return std::make_unique<ShaderEffect_PostProcess>(*this);
}

void ShaderEffect_PostProcess::Run(
    int sx0, int sy0, int sx1, int sy1, int dx0, int dy0, int dx1, int dy1, uint32_t texture, int extra)
{
    (void)extra;
    const EffectTarget target = CurrentEffectTarget();
    const Point<int> textureSize = PictureTextureSize();
    const float pw = float(textureSize.x);
    const float ph = float(textureSize.y);
    IEffectProgram* program = GetProgram();
    if (!program) {
        if (texture && sx1 - sx0 == dx1 - dx0 && sy1 - sy0 == dy1 - dy0)
            DrawTexturedQuad(float(dx0), float(dy0), textureSize.x, textureSize.y, Point<int>(0, 0), 0.0f,
                sx0, sy0, sx1 - sx0, sy1 - sy0, 0xFFFFFFFFu, texture);
        return;
    }
    const float u0 = sx0 / pw, v0 = sy0 / ph, u1 = sx1 / pw, v1 = sy1 / ph;
    program->SetMatrix("g_mWorldViewProjection", EffectProjection(target));
    program->SetTexture("g_MeshTexture", texture);
    if (shader->GetName() == "fullFX_MoBlur")
        program->SetTexture("g_MeshTexture2", g_RenderTexture2);
    program->SetInt2("g_mTexSize", textureSize.x, textureSize.y);
    program->SetInt2("g_mScreenOffset", g_BackBufferWidth / 2, g_BackBufferHeight / 2);
    program->SetFloat2("g_mTexUVOffset", u0, v0);
    program->SetFloat2("g_mTexUVEnd", u1, v1);
    // An empty source has no ratio: 0 instead of a division by zero.
    program->SetFloat2(
        "g_mTexUVRatioInv", u1 != u0 ? 1.0f / (u1 - u0) : 0.0f, v1 != v0 ? 1.0f / (v1 - v0) : 0.0f);
    program->SetFloat2("g_mTexSize_Inv1", 1.0f / pw, 1.0f / ph);
    if (program->HasParameter("g_mFloatInputValue"))
        program->SetFloat("g_mFloatInputValue", inputValue);
    const IRenderEngine* engine = g_RenderEngine;
    const RenderPoolCommand* command = engine ? engine->GetCurrentCommand() : nullptr;
    const Point<int> camera = command ? command->GetCameraWorld() : GetRenderGameState().cameraWorld;
    program->SetInt2("g_mCameraWorldPos", camera.x, camera.y);

    if (!BeginPass(shader))
        return;
    if (texture) {
        // Pixel centres need no half-pixel shift in GL.
        const float left = dx0 - target.width * 0.5f;
        const float right = left + float(dx1 - dx0);
        const float top = target.height * 0.5f - dy0;
        const float bottom = top - float(dy1 - dy0);
        EffectQuadVertices v {};
        const float xs[4] = {left, right, left, right};
        const float ys[4] = {top, top, bottom, bottom};
        const float us[4] = {u0, u1, u0, u1};
        const float vs[4] = {v0, v0, v1, v1};
        for (int i = 0; i < 4; ++i)
            v[i] = EffectVertex {xs[i], ys[i], 0.0f, us[i], vs[i], 0xFFFFFFFFu};
        DrawEffectQuad(*program, v);
    }
    EndPass(shader);
}

ShaderEffect_PostProcess_TimeDependent::ShaderEffect_PostProcess_TimeDependent(ShaderRes* shader,
    float duration, bool startAtEnd, float startDelay, float endDelay, bool loop, int advanceMode)
    : ShaderEffect_PostProcess(shader)
    , startDelay(startDelay)
    , endDelay(endDelay)
    , loop(loop ? 1 : 0)
    , startDelayDefault(startDelay)
    , endDelayDefault(endDelay)
    , duration(duration)
    , advanceMode(advanceMode)
{
    if (startAtEnd) {
        time = duration;
        running = 0;
    }
}

std::unique_ptr<GraphicalEffect> ShaderEffect_PostProcess_TimeDependent::Clone() const
{
    return std::make_unique<ShaderEffect_PostProcess_TimeDependent>(*this);
}

void ShaderEffect_PostProcess_TimeDependent::Run(
    int sx0, int sy0, int sx1, int sy1, int dx0, int dy0, int dx1, int dy1, uint32_t texture, int extra)
{
    IEffectProgram* program = GetProgram();
    if (program && duration > 0.0f)
        program->SetFloat("g_mTimerAdvance", reverse ? 1.0f - time / duration : time / duration);
    if (running)
        ShaderEffect_PostProcess::Run(sx0, sy0, sx1, sy1, dx0, dy0, dx1, dy1, texture, extra);
}

void ShaderEffect_PostProcess_TimeDependent::Start(int resetToStopped)
{
    running = resetToStopped != 1 ? 1 : 0;
    time = 0.0f;
    startDelay = startDelayDefault;
    endDelay = endDelayDefault;
}

void ShaderEffect_PostProcess_TimeDependent::Advance(float dt)
{
    if (startDelay > 0.0f)
        startDelay -= dt;
    else
        time += dt;
    if (time < duration)
        return;
    // A duration of 0 or less has nothing to wrap into: it ends.
    if (loop && duration > 0.0f) {
        time -= duration;
        return;
    }
    if (endDelay > 0.0f)
        endDelay -= dt;
    if (endDelay <= 0.0f)
        running = 0;
}

void ShaderEffect_PostProcess_TimeDependent::Update()
{
    if (!running)
        return;
    const bool tick = GetRenderGameState().fixedStepTick;
    if (advanceMode == 0 || (advanceMode == 1 && tick && !GetRenderGameState().secondStateFlag)
        || (advanceMode == 2 && tick))
        Advance(1.0f);
}
