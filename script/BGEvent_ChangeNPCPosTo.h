#pragma once

#include "engine/serial/Point.h"
#include "script/BackgroundEvent.h"

#include <string>

class CharacterObject;

// Walks a character in a straight line to a point: it sets the character's
// speed and direction, and on each logic tick snaps it onto the point once
// it is within (speed + 1) pixels, stopping it there. Without a character
// it never finishes by itself.
class BGEvent_ChangeNPCPosTo : public BackgroundEvent {
public:
    BGEvent_ChangeNPCPosTo(
        std::string name, CharacterObject* character, float speed, int targetX, int targetY);

    bool Update() override;
    std::string GetTypeName() const override { return "BGEvent_ChangeNPCPosTo"; }

    CharacterObject* GetCharacter() const { return character; }
    Point<int> GetTarget() const { return target; }

private:
    CharacterObject* character;
    Point<int> target;
    Point<int> lastPosition;
};
