#pragma once

#include "engine/serial/TypeNames.h"
#include "zones/ZoneHolder.h"

#include <string>
#include <utility>

// Created by its class key with the object's name; it behaves as its base
// until its own fields and behaviour are written.
class ZoneSecret : public ZoneHolder {
public:
    explicit ZoneSecret(std::string name)
        : ZoneHolder(std::move(name))
    {
        typeName = TypeNames::ZoneSecret;
    }
};
