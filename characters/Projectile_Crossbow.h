#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/TypeNames.h"

#include <string>
#include <utility>

// Created by its class key with the character's name; it behaves as its base
// until its own fields and behaviour are written.
class Projectile_Crossbow : public CharacterObject {
public:
    explicit Projectile_Crossbow(std::string name)
        : CharacterObject(std::move(name))
    {
        typeName = TypeNames::Projectile_Crossbow;
    }
};
