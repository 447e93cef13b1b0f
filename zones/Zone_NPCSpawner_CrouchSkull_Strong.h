#pragma once

#include "engine/serial/TypeNames.h"
#include "zones/Zone_NPCSpawner_CrouchSkull.h"

#include <string>
#include <utility>

// Created by its class key with the object's name; it behaves as its base
// until its own fields and behaviour are written.
class Zone_NPCSpawner_CrouchSkull_Strong : public Zone_NPCSpawner_CrouchSkull {
public:
    explicit Zone_NPCSpawner_CrouchSkull_Strong(std::string name)
        : Zone_NPCSpawner_CrouchSkull(std::move(name))
    {
        typeName = TypeNames::Zone_NPCSpawner_CrouchSkull_Strong;
    }
};
