#pragma once

#include "engine/serial/TypeNames.h"
#include "scene/GameplayObject.h"

#include <string>
#include <utility>

// Created by its class key with the object's name; it behaves as its base
// until its own fields and behaviour are written.
class Point_MinimapLocation : public GameplayObject {
public:
    explicit Point_MinimapLocation(std::string name)
        : GameplayObject(std::move(name))
    {
        typeName = TypeNames::Point_MinimapLocation;
    }
};
