#include "script/NPC_Script.h"

#include "scene/GraphicalObject.h"

#include <utility>

NPC_Script::NPC_Script(std::string name_)
    : CharacterObject(std::move(name_))
{
    typeName = TypeNames::NPC_Script;
}

void NPC_Script::Update(double dt)
{
    CharacterObject::Update(dt);
    // In 32-bit floats, as the move of every character.
    const float step = speed * 32.0f * static_cast<float>(dt) * 0.001f;
    position = position + direction * step;
    if (currentGraphical != nullptr && !currentGraphical->IsAnimationFinished())
        currentGraphical->Update(dt);
    previousState = state;
    UpdateSounds();
}
