#include "script/BGEvent_WaitEndOfAnimation.h"

#include "characters/CharacterObject.h"
#include "scene/GraphicalObject.h"
#include "script/EventTick.h"
#include "script/ScriptCommandSupport.h"

#include <utility>

BGEvent_WaitEndOfAnimation::BGEvent_WaitEndOfAnimation(std::string name_, CharacterObject* character_)
    : BackgroundEvent(std::move(name_))
    , character(character_)
{
}

bool BGEvent_WaitEndOfAnimation::Update()
{
    BackgroundEvent::Update();
    // A character that has gone has nothing left to wait for.
    if (character != nullptr && !ScriptCommandSupport::IsLiveCharacter(character)) {
        character = nullptr;
        finished = true;
    }
    if (!IsLogicTick() || finished || character == nullptr)
        return true;
    GraphicalObject* graphical = character->GetCurrentGraphical();
    if (graphical != nullptr && graphical->IsAnimationFinished())
        finished = true;
    return true;
}
