#pragma once

#include "enemies/NPC_CrouchSkull.h"
#include "engine/serial/TypeNames.h"

#include <string>
#include <utility>

class ZoneInstance;

// Created by its class key with the character's name and given what its
// spawner hands over; it behaves as its base until its behaviour is written.
// The skull and its spawner placement know each other: whichever goes first
// unlinks itself from the other.
class NPC_CrouchSkull_Boat : public NPC_CrouchSkull {
public:
    explicit NPC_CrouchSkull_Boat(std::string name)
        : NPC_CrouchSkull(std::move(name))
    {
        typeName = TypeNames::NPC_CrouchSkull_Boat;
    }
    // Clears the placement's link to this skull.
    ~NPC_CrouchSkull_Boat() override;
    NPC_CrouchSkull_Boat(const NPC_CrouchSkull_Boat&) = delete;
    NPC_CrouchSkull_Boat& operator=(const NPC_CrouchSkull_Boat&) = delete;

    // The spawner placement (a Zone_NPCSpawner_CrouchSkull_Boat::Instance)
    // that made the skull; null once either is gone.
    ZoneInstance* spawnerLink = nullptr;
    // While set the skull follows at its follow speed.
    bool playerInZone = false;
};
