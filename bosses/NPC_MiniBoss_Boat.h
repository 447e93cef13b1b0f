#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/TypeNames.h"

#include <string>
#include <utility>

// Created by its class key with the character's name; it behaves as its base
// until its own fields and behaviour are written.
class NPC_MiniBoss_Boat : public CharacterObject {
public:
    explicit NPC_MiniBoss_Boat(std::string name)
        : CharacterObject(std::move(name))
    {
        typeName = TypeNames::NPC_MiniBoss_Boat;
    }
};
