#pragma once

#include "enemies/NPC_FloatingSkull.h"
#include "engine/serial/TypeNames.h"

#include <cstdint>
#include <string>
#include <utility>

// Created by its class key with the character's name and given what its
// spawner hands over; it behaves as its base until its behaviour is written.
class NPC_MiniBoss_FloatingSkull : public NPC_FloatingSkull {
public:
    explicit NPC_MiniBoss_FloatingSkull(std::string name)
        : NPC_FloatingSkull(std::move(name))
    {
        typeName = TypeNames::NPC_MiniBoss_FloatingSkull;
    }

    // The floating skulls it makes around itself, set by its spawner.
    int32_t childCount = 1;
};
