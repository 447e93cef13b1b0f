#pragma once

#include "engine/serial/TypeNames.h"
#include "zones/GameplayObject_Zone.h"

#include <string>
#include <utility>

// Created by its class key with the object's name; it behaves as its base
// until its own fields and behaviour are written.
class Zone_NPCSpawner_Boss_Underwater : public GameplayObject_Zone {
public:
    explicit Zone_NPCSpawner_Boss_Underwater(std::string name)
        : GameplayObject_Zone(std::move(name))
    {
        typeName = TypeNames::Zone_NPCSpawner_Boss_Underwater;
    }
};
