#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/Rect.h"
#include "engine/serial/TypeNames.h"

#include <string>
#include <utility>

// Created by its class key with the character's name and given what its
// spawner hands over; it behaves as its base until its behaviour is written.
class NPC_CrouchSkull : public CharacterObject {
public:
    explicit NPC_CrouchSkull(std::string name)
        : CharacterObject(std::move(name))
    {
        typeName = TypeNames::NPC_CrouchSkull;
    }

    // Its x range bounds the walk; set by its spawner.
    Rect<int> walkRect;
};
