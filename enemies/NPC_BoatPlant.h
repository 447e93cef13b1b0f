#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/TypeNames.h"

#include <cstdint>
#include <string>
#include <utility>

class GraphicalObject;
template <class T, class C> class SpacialInstance;

// Created by its class key with the character's name and given what its
// spawner hands over; it behaves as its base until its behaviour is written.
class NPC_BoatPlant : public CharacterObject {
public:
    explicit NPC_BoatPlant(std::string name)
        : CharacterObject(std::move(name))
    {
        typeName = TypeNames::NPC_BoatPlant;
    }

    // The number its spawner hands over.
    int32_t parameter = 0;
    // The placed zone whose rectangle the plant's insects keep to (not
    // owned); null when none.
    SpacialInstance<GraphicalObject, float>* linkedZone = nullptr;
};
