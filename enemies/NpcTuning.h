#pragma once

#include "engine/serial/Point.h"
#include "engine/serial/Rect.h"

#include <cstdint>

// The enemies' program-wide tuning values with their defaults from program
// start, set by "setnpcvalue" and read by the enemy classes when they create
// or update an enemy. Trigger areas are Rect<int>(0, height, width, 0).
struct NpcTuning {
    static inline int32_t floatingSkullMaxLife = 2;

    static inline int32_t crouchSkullMaxLife = 2;
    static inline int32_t crouchSkullIdleWait = 5;
    static inline float crouchSkullSpeed = 4.0f;

    static inline int32_t crouchSkullBoatMaxLife = 2;
    static inline int32_t crouchSkullBoatIdleWait = 5;
    static inline float crouchSkullBoatSpeed = 4.0f;
    static inline float crouchSkullBoatSpeedFollow = 6.8f;

    static inline int32_t throwerMaxLife = 2;
    static inline int32_t throwerFrameTimerBeforeThrowing = 2;
    static inline int32_t throwerFrameTimerBetweenThrowing = 10;
    static inline Rect<int> throwerTriggerZone {0, 128, 128, 0};
    static inline Point<float> throwerProjectileBaseDirection {4.0f, 2.0f};
    static inline float throwerProjectileSpeed = 1.0f;
    static inline Point<float> throwerProjectileAttenuation {0.0f, 0.5f};

    static inline int32_t boatWormWait = 40;
    static inline int32_t boatWormMaxLife = 2;
    static inline Rect<int> boatWormTriggerZone {0, 256, 256, 0};
    static inline float boatWormProjectileSpeed = 5.0f;

    static inline int32_t fireDiamondUnfrozeDelay = 2;

    static inline float jellyFishSpeed = 4.0f;
    static inline float jellyFishSlowPercent = 0.95f;
    static inline float jellyFishSlowLimit = 0.1f;

    static inline Point<float> lonelyHeadImpulseRightRight {-1.8f, 3.6f};
    static inline Point<float> lonelyHeadImpulseRightMid {-0.6f, 3.0f};
};
