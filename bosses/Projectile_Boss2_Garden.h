#pragma once

#include "enemies/NPC_FloatingSkull.h"
#include "engine/serial/TypeNames.h"

#include <string>
#include <utility>

// Created by its class key with the character's name; it behaves as its base
// until its own fields and behaviour are written.
class Projectile_Boss2_Garden : public NPC_FloatingSkull {
public:
    explicit Projectile_Boss2_Garden(std::string name)
        : NPC_FloatingSkull(std::move(name))
    {
        typeName = TypeNames::Projectile_Boss2_Garden;
    }
};
