#pragma once

#include "enemies/NPC_CrouchSkull.h"

#include <string>

class ZoneInstance;

// The boat's crouching skull: it walks a rectangle widened beyond its zone
// and, while the player stands in its spawner zone, steers toward the player
// at its follow speed. The skull and its spawner placement know each other:
// whichever goes first unlinks itself from the other.
class NPC_CrouchSkull_Boat : public NPC_CrouchSkull {
public:
    explicit NPC_CrouchSkull_Boat(std::string name);
    // Clears the placement's link to this skull.
    ~NPC_CrouchSkull_Boat() override;
    NPC_CrouchSkull_Boat(const NPC_CrouchSkull_Boat&) = delete;
    NPC_CrouchSkull_Boat& operator=(const NPC_CrouchSkull_Boat&) = delete;

    void Update(double dt) override;
    float GetSpeed(int state) const override;
    double GetStateDelay(int state) const override;

    // The spawner placement (a Zone_NPCSpawner_CrouchSkull_Boat::Instance)
    // that made the skull; null once either is gone.
    ZoneInstance* spawnerLink = nullptr;
    // The follow flag: set while the player is in the spawner zone.
    bool playerInZone = false;
    int GetSteeringPause() const { return steeringPause; }

private:
    int steeringPause = 0;
};
