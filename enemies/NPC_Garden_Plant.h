#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/TypeNames.h"

#include <string>
#include <utility>

// Created by its class key with the character's name and given what its
// spawner hands over; it behaves as its base until its behaviour is written.
class NPC_Garden_Plant : public CharacterObject {
public:
    explicit NPC_Garden_Plant(std::string name)
        : CharacterObject(std::move(name))
    {
        typeName = TypeNames::NPC_Garden_Plant;
    }

    // Where the plant is rooted, set by its spawner.
    Point<int> anchorPoint;
};
