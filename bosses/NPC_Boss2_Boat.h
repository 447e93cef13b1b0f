#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/TypeNames.h"

#include <string>
#include <utility>

// Created by its class key with the character's name and given what its
// spawner hands over; it behaves as its base until its behaviour is written.
class NPC_Boss2_Boat : public CharacterObject {
public:
    explicit NPC_Boss2_Boat(std::string name)
        : CharacterObject(std::move(name))
    {
        typeName = TypeNames::NPC_Boss2_Boat;
    }

    // Creates the boss's volley; nothing until the boss is written.
    void LaunchProjectiles() { }
};
