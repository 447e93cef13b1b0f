#pragma once

#include "characters/PlayerMovingStage.h"

#include <cstdint>

// The player's program-wide tuning values with their defaults from program
// start. The tuning console commands overwrite them; the player reads them
// when it is created and while it moves.
struct PlayerTuning {
    static inline float walkSpeed = 20.0f;
    static inline float jumpSpeedH = 20.0f;
    static inline float climbSpeed = 10.0f;
    // Factor of the stage time step while the player is in water.
    static inline float waterSlowRatio = 0.65f;
    static inline int32_t highFallFreezeTime = 15;
    static inline float highFallHeightThreshold = 100.0f;
    static inline int32_t hitTimer = 4;
    static inline int32_t straffDelay = 10;
    static inline float straffSpeed = 2.0f;
    static inline int32_t straffDuration = 10;
    static inline int32_t crossbowDelay = 30;
    static inline float crossbowSpeed = 10.0f;
    // Ice armor: size of the zone in which it replaces objects, and the frame
    // delay between the steps of its freeze propagation.
    static inline int32_t iceReplaceZoneWidth = 10;
    static inline int32_t iceReplaceZoneHeight = 10;
    static inline int32_t iceFrozenPropagationDelay = 8;

    static inline PlayerMovingStages stages = {{
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
