#pragma once

#include "engine/serial/TypeNames.h"
#include "zones/GameplayObject_Zone.h"

#include <string>
#include <utility>

// Created by its class key with the object's name; it behaves as its base
// until its own fields and behaviour are written.
class ZoneHolder : public GameplayObject_Zone {
public:
    explicit ZoneHolder(std::string name)
        : GameplayObject_Zone(std::move(name))
    {
        typeName = TypeNames::ZoneHolder;
    }
};
