#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/TypeNames.h"

#include <string>
#include <utility>
#include <vector>

// Created by its class key with the character's name and given what its
// spawner hands over; it behaves as its base until its behaviour is written.
class NPC_Boss2_Garden : public CharacterObject {
public:
    explicit NPC_Boss2_Garden(std::string name)
        : CharacterObject(std::move(name))
    {
        typeName = TypeNames::NPC_Boss2_Garden;
    }

    // The points at which the boss creates its skulls, shared by the class;
    // emptied and filled by its spawner from the "spawnzone" placements.
    static std::vector<Point<int>>& SpawnPoints()
    {
        static std::vector<Point<int>> points;
        return points;
    }
};
