#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/Rect.h"
#include "engine/serial/TypeNames.h"

#include <string>
#include <utility>

// Created by its class key with the character's name and given what its
// spawner hands over; it behaves as its base until its behaviour is written.
class NPC_MiniBoss_Underwater : public CharacterObject {
public:
    explicit NPC_MiniBoss_Underwater(std::string name)
        : CharacterObject(std::move(name))
    {
        typeName = TypeNames::NPC_MiniBoss_Underwater;
    }

    // Where it fights, set by its spawner.
    Rect<int> rect;
};
