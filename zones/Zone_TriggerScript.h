#pragma once

#include "engine/serial/TypeNames.h"
#include "zones/GameplayObject_Zone.h"

#include <string>
#include <utility>

// Created by its class key with the object's name; it behaves as its base
// until its own fields and behaviour are written.
class Zone_TriggerScript : public GameplayObject_Zone {
public:
    explicit Zone_TriggerScript(std::string name)
        : GameplayObject_Zone(std::move(name))
    {
        typeName = "Zone_TriggerScript";
    }
};
