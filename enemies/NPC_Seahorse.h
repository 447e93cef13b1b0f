#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/TypeNames.h"

#include <cstdint>
#include <string>
#include <utility>

// Created by its class key with the character's name and given what its
// spawner hands over; it behaves as its base until its behaviour is written.
class NPC_Seahorse : public CharacterObject {
public:
    explicit NPC_Seahorse(std::string name)
        : CharacterObject(std::move(name))
    {
        typeName = TypeNames::NPC_Seahorse;
    }

    // Its horizontal range, set by its spawner.
    int32_t leftX = 0;
    int32_t rightX = 0;
};
