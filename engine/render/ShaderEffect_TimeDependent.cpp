#include "engine/render/ShaderEffect_TimeDependent.h"

#include "engine/render/EffectProgram.h"
#include "engine/render/IRenderEngine.h"
#include "engine/render/RenderGameAccess.h"
#include "engine/render/RenderPoolCommand.h"
#include "engine/render/SpriteSource.h"

ShaderEffect_TimeDependent::ShaderEffect_TimeDependent(
    ShaderRes* shader, float duration, bool startAtEnd, bool tickOnly, bool loop, bool autoAdvance)
    : ShaderEffect(shader)
    , loop(loop ? 1 : 0)
    , autoAdvance(autoAdvance ? 1 : 0)
    , duration(duration)
    , tickOnly(tickOnly ? 1 : 0)
{
    if (startAtEnd) {
        timer = duration;
        running = 0;
    }
}

void ShaderEffect_TimeDependent::Draw(IGraphicalRessource* texture, Point<int> position,
    Point<int> spritePoint, const SpriteSource& source, float rotation, uint32_t colour)
{
    IEffectProgram* program = GetProgram();
    if (program && duration > 0.0f)
        program->SetFloat("g_mTimerAdvance", timer / duration);
    ShaderEffect::Draw(texture, position, spritePoint, source, rotation, colour);
}

void ShaderEffect_TimeDependent::Update()
{
    if (!running)
        return;
    if (tickOnly && !GetRenderGameState().fixedStepTick)
        return;
    if (secondAdvance != 1 && GetRenderGameState().frameAdvance == 0)
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
    // No step moves the timer nowhere, so it reaches no end: an effect
    // resting at 0 would otherwise stop before it ever ran (and a looping
    // one would wrap to minus the duration).
    if (dt == 0.0f)
        return;
    timer = reverse ? timer - dt : timer + dt;
    if (timer >= duration || timer <= 0.0f) {
        // A duration of 0 or less has nothing to wrap into: it stops.
        if (!loop || duration <= 0.0f)
            running = 0;
        // Wrapping goes back into the range from the end it left by: a
        // reversed loop past 0 comes back from the duration.
        else if (timer <= 0.0f)
            timer += duration;
        else
            timer -= duration;
    }
}

std::unique_ptr<GraphicalEffect> ShaderEffect_TimeDependent::Clone() const
{
    return std::make_unique<ShaderEffect_TimeDependent>(*this);
}

GE_Color::GE_Color(ShaderRes* shader, float duration, bool startAtEnd, bool tickOnly)
    : ShaderEffect_TimeDependent(shader, duration, startAtEnd, tickOnly, false, true)
{
    spriteFlag = 1;
}

void GE_Color::Draw(IGraphicalRessource* texture, Point<int> position, Point<int> spritePoint,
    const SpriteSource& source, float rotation, uint32_t drawColour)
{
    const IRenderEngine* engine = g_RenderEngine;
    const RenderPoolCommand* command = engine ? engine->GetCurrentCommand() : nullptr;
    const float tile = command ? command->GetTileValue() : engine ? engine->GetTileValue() : 1.0f;
    const int param = command ? command->GetParamInt() : engine ? engine->GetParamInt() : 1;
    if (tile != 1.0f && param == 1) {
        const TiledQuad tiled = MakeTiledQuad(source, tile);
        quadSize = tiled.size;
        position = Point<int>(position.x + tiled.shift.x, position.y + tiled.shift.y);
    }
    if (command)
        diffuseOverride = drawColour;
    ShaderEffect_TimeDependent::Draw(texture, position, spritePoint, source, rotation, drawColour);
    quadSize.reset();
    diffuseOverride.reset();
}

bool GE_Color::DrawSprite(
    ISprite* sprite, IGraphicalSurface*, int x, int y, int, int, float rotation, const Rect<int>* clip)
{
    DrawSpriteWithColor(sprite, x, y, rotation, clip, ColorToArgb(colour));
    return true;
}

std::unique_ptr<GraphicalEffect> GE_Color::Clone() const
{
    return std::make_unique<GE_Color>(*this);
}
