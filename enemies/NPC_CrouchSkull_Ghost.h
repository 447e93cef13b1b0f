#pragma once

#include "enemies/NPC_CrouchSkull.h"
#include "engine/serial/TypeNames.h"

#include <string>
#include <utility>

// Created by its class key with the character's name; it behaves as its base
// until its own fields and behaviour are written.
class NPC_CrouchSkull_Ghost : public NPC_CrouchSkull {
public:
    explicit NPC_CrouchSkull_Ghost(std::string name)
        : NPC_CrouchSkull(std::move(name))
    {
        typeName = TypeNames::NPC_CrouchSkull_Ghost;
    }
};
