#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/TypeNames.h"

#include <cstdint>
#include <string>
#include <utility>

class Level;

// Created by its class key with the character's name and given what its
// spawner hands over; it behaves as its base until its behaviour is written.
class NPC_Door : public CharacterObject {
public:
    explicit NPC_Door(std::string name)
        : CharacterObject(std::move(name))
    {
        typeName = TypeNames::NPC_Door;
    }

    // The door's kind (0 classic, 3 crossbow; other values have no sprites)
    // and side (0 left, any other value right), set by its spawner.
    int32_t doorKind = 0;
    int32_t doorSide = 0;
    // Puts the door's sprites into the level's "Collisions" layer; nothing
    // until the door's own look is written.
    void BuildCollisionGraphicals(Level* /*level*/) { }
};
