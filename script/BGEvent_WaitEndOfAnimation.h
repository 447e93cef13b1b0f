#pragma once

#include "script/BackgroundEvent.h"

#include <string>

class CharacterObject;

// Waits until a character's current animation has run out (a looping one
// never does).
class BGEvent_WaitEndOfAnimation : public BackgroundEvent {
public:
    BGEvent_WaitEndOfAnimation(std::string name, CharacterObject* character);

    bool Update() override;
    std::string GetTypeName() const override { return "BGEvent_WaitEndOfAnimation"; }

private:
    CharacterObject* character;
};
