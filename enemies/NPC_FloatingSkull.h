#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/Rect.h"
#include "engine/serial/TypeNames.h"

#include <cstdint>
#include <string>
#include <utility>

// Created by its class key with the character's name and given what its
// spawner hands over; it behaves as its base until its behaviour is written.
class NPC_FloatingSkull : public CharacterObject {
public:
    explicit NPC_FloatingSkull(std::string name)
        : CharacterObject(std::move(name))
    {
        typeName = TypeNames::NPC_FloatingSkull;
    }

    // 0 normal, 1 ghost, further variants of its own.
    void SetKind(int value)
    {
        kind = value;
        ghost = value == 1 ? 1 : 0;
    }
    int GetKind() const { return kind; }
    // A random point of the roaming rectangle becomes the destination.
    void PickRandomDestination();
    Point<int> GetDestination() const { return destination; }

    // Where the skull roams, set by its spawner.
    Rect<int> roamingRect;
    // Not 0 for a ghost.
    int32_t ghost = 0;

protected:
    int32_t kind = 0;
    Point<int> destination;
};
