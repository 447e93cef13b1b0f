#include "engine/render/RenderPoolCommand.h"

#include "engine/render/GraphicalEffect.h"

RenderPoolCommand RenderPoolCommand::SpriteDraw(ISprite* image, std::unique_ptr<GraphicalEffect> effect,
    Point<int> position, Point<int> extent, float rotation, const Rect<int>* clip, const RecordedState& state)
{
    RenderPoolCommand command;
    command.image = image;
    command.effect = OwnedEffect(std::move(effect));
    command.position = position;
    command.extent = extent;
    command.rotation = rotation;
    if (clip) {
        command.clip = *clip;
        command.hasClip = true;
    }
    command.reservedFloat = state.layerSpeed;
    command.stateBytes = {state.mirror, state.fixedStepTick, state.secondStateFlag};
    command.stateWord = state.frameAdvance;
    command.cameraWorld = state.cameraWorld;
    command.colour = state.diffuseColour;
    command.statePair = {state.cameraOffset.x, state.cameraOffset.y};
    command.stateFloats = {state.drawFactor, state.tileValue};
    command.stateExtra = state.paramInt;
    command.isRect = false;
    return command;
}

RenderPoolCommand RenderPoolCommand::RectDraw(
    Point<int> size, Point<int> position, Point<int> extent, float f, uint32_t n, bool filled)
{
    RenderPoolCommand command;
    command.rectSize = size;
    command.position = position;
    command.extent = extent;
    command.rotation = f;
    command.colour = n;
    command.filled = filled;
    command.isRect = true;
    return command;
}

RenderPoolCommand RenderPoolCommand::Named(const std::string& name, std::unique_ptr<GraphicalEffect> effect)
{
    RenderPoolCommand command;
    command.name = name;
    command.effect = OwnedEffect(std::move(effect));
    return command;
}

RenderPoolCommand RenderPoolCommand::NamedValue(const std::string& name, float value)
{
    RenderPoolCommand command;
    command.name = name;
    command.colour = value > 0.0f ? static_cast<uint32_t>(value) : 0u;
    return command;
}

RenderPoolCommand RenderPoolCommand::Named(const std::string& name)
{
    RenderPoolCommand command;
    command.name = name;
    return command;
}

RenderPoolCommand& RenderPoolCommand::CloneEffect(const RenderPoolCommand& other)
{
    return *this = other;
}

void RenderPoolCommand::DestroyWithEffect()
{
    effect.effect.reset();
}
