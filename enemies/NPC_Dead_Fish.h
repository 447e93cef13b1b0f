#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/Rect.h"
#include "engine/serial/TypeNames.h"

#include <string>
#include <utility>

// Created by its class key with the character's name and given what its
// spawner hands over; it behaves as its base until its behaviour is written.
class NPC_Dead_Fish : public CharacterObject {
public:
    explicit NPC_Dead_Fish(std::string name)
        : CharacterObject(std::move(name))
    {
        typeName = TypeNames::NPC_Dead_Fish;
    }

    // Set by its spawner.
    Rect<float> rect;
    Point<float> referencePoint;
};
