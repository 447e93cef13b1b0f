#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/TypeNames.h"

#include <string>
#include <utility>

class Level;

// Created by its class key with the character's name and given what its
// spawner hands over; it behaves as its base until its behaviour is written.
class NPC_FireDiamond : public CharacterObject {
public:
    explicit NPC_FireDiamond(std::string name)
        : CharacterObject(std::move(name))
    {
        typeName = TypeNames::NPC_FireDiamond;
    }

    // Places the diamond's look in the level's "Collisions" layer; nothing
    // until the diamond's own look is written.
    void BuildCollisionGraphical(Level* /*level*/) { }
};
