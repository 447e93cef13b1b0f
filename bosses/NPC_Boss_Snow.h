#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/TypeNames.h"

#include <string>
#include <utility>

// Created by its class key with the character's name and given what its
// spawner hands over; it behaves as its base until its behaviour is written.
class NPC_Boss_Snow : public CharacterObject {
public:
    explicit NPC_Boss_Snow(std::string name)
        : CharacterObject(std::move(name))
    {
        typeName = TypeNames::NPC_Boss_Snow;
    }

    // Set by its spawner: the zone offset plus the placed position.
    Point<int> referencePoint;
};
