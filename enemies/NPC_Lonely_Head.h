#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/TypeNames.h"

#include <cstdint>
#include <string>
#include <utility>

// Created by its class key with the character's name and given what its
// spawner hands over; it behaves as its base until its behaviour is written.
class NPC_Lonely_Head : public CharacterObject {
public:
    explicit NPC_Lonely_Head(std::string name)
        : CharacterObject(std::move(name))
    {
        typeName = TypeNames::NPC_Lonely_Head;
    }

    // Its vertical range, set by its spawner.
    int32_t lowerY = 0;
    int32_t upperY = 0;
};
