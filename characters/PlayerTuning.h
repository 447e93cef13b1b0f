#pragma once

#include "characters/PlayerMovingStage.h"
#include "engine/config/InstalledTuning.h"

#include <cstdint>

// The player's tuning values with their defaults. The tuning console
// commands overwrite the game's copy; the player reads the values in force
// when it is created and while it moves.
struct PlayerTuning : InstalledTuning<PlayerTuning> {
    float walkSpeed = 20.0f;
    float jumpSpeedH = 20.0f;
    float climbSpeed = 10.0f;
    // Factor of the stage time step while the player is in water.
    float waterSlowRatio = 0.65f;
    int32_t highFallFreezeTime = 15;
    float highFallHeightThreshold = 100.0f;
    int32_t hitTimer = 4;
    int32_t straffDelay = 10;
    float straffSpeed = 2.0f;
    int32_t straffDuration = 10;
    int32_t crossbowDelay = 30;
    float crossbowSpeed = 10.0f;
    // Ice armor: size of the zone in which it replaces objects, and the frame
    // delay between the steps of its freeze propagation.
    int32_t iceReplaceZoneWidth = 10;
    int32_t iceReplaceZoneHeight = 10;
    int32_t iceFrozenPropagationDelay = 8;

    PlayerMovingStages stages = {{
        {24.0f, true, 80.0},
        {12.5f, false, 80.0},
        {0.0f, false, 150.0},
        {15.5f, false, 84.0},
        {20.5f, true, -1.0},
        {12.0f, true, 80.0},
        {6.0f, false, 80.0},
        {0.0f, false, 150.0},
        {7.0f, false, 168.0},
        {15.0f, true, -1.0},
    }};
};
