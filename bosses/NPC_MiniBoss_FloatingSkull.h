#pragma once

#include "enemies/NPC_FloatingSkull.h"
#include "engine/serial/TypeNames.h"

#include <string>
#include <utility>

// Created by its class key with the character's name; it behaves as its base
// until its own fields and behaviour are written.
class NPC_MiniBoss_FloatingSkull : public NPC_FloatingSkull {
public:
    explicit NPC_MiniBoss_FloatingSkull(std::string name)
        : NPC_FloatingSkull(std::move(name))
    {
        typeName = TypeNames::NPC_MiniBoss_FloatingSkull;
    }
};
