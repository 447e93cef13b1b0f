#include "engine/render/ShaderEffect_TimeDependent.h"

#include "engine/render/RenderGameAccess.h"

ShaderEffect_TimeDependent::ShaderEffect_TimeDependent(
    ShaderRes* shader_, float duration_, bool startAtEnd, bool tickOnly_, bool loop_, bool autoAdvance_)
    : shader(shader_)
    , loop(loop_ ? 1 : 0)
    , autoAdvance(autoAdvance_ ? 1 : 0)
    , duration(duration_)
    , tickOnly(tickOnly_ ? 1 : 0)
{
    if (startAtEnd) {
        timer = duration;
        running = 0;
    }
}

void ShaderEffect_TimeDependent::Update()
{
    if (!running)
        return;
    RenderGameAccess* game = GetRenderGameAccess();
    const RenderGameState state = game ? game->GetRenderState() : RenderGameState();
    if (tickOnly && !state.fixedStepTick)
        return;
    if (state.frameAdvance == 0)
        return;
    if (autoAdvance)
        Advance(1.0f);
}

bool ShaderEffect_TimeDependent::Start(int mode, bool fromZero)
{
    running = mode != 1 ? 1 : 0;
    timer = fromZero ? 0.0f : duration;
    return true;
}

void ShaderEffect_TimeDependent::Advance(float dt)
{
    timer += dt;
    if (timer >= duration) {
        // A duration of 0 or less has nothing to wrap into: it stops.
        if (loop && duration > 0.0f)
            timer -= duration;
        else
            running = 0;
    }
}

std::unique_ptr<GraphicalEffect> ShaderEffect_TimeDependent::Clone() const
{
    return std::make_unique<ShaderEffect_TimeDependent>(*this);
}
