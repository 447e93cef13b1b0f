#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/TypeNames.h"

#include <string>
#include <utility>

// Created by its class key with the character's name and given what its
// spawner hands over; it behaves as its base until its behaviour is written.
class NPC_Boss2_Underwater : public CharacterObject {
public:
    explicit NPC_Boss2_Underwater(std::string name)
        : CharacterObject(std::move(name))
    {
        typeName = TypeNames::NPC_Boss2_Underwater;
    }

    // Set by its spawner for the first of them.
    bool leader = false;
};
