#pragma once

#include "engine/config/InstalledTuning.h"
#include "engine/serial/Point.h"
#include "engine/serial/Rect.h"

#include <cstdint>

// The enemies' tuning values with their defaults, set in the game's copy by
// "setnpcvalue" and read by the enemy classes when they create or update an
// enemy. Trigger areas are Rect<int>(0, height, width, 0).
struct NpcTuning : InstalledTuning<NpcTuning> {
    int32_t floatingSkullMaxLife = 2;

    int32_t crouchSkullMaxLife = 2;
    int32_t crouchSkullIdleWait = 5;
    float crouchSkullSpeed = 4.0f;

    int32_t crouchSkullBoatMaxLife = 2;
    int32_t crouchSkullBoatIdleWait = 5;
    float crouchSkullBoatSpeed = 4.0f;
    float crouchSkullBoatSpeedFollow = 6.8f;

    int32_t throwerMaxLife = 2;
    int32_t throwerFrameTimerBeforeThrowing = 2;
    int32_t throwerFrameTimerBetweenThrowing = 10;
    Rect<int> throwerTriggerZone {0, 128, 128, 0};
    Point<float> throwerProjectileBaseDirection {4.0f, 2.0f};
    float throwerProjectileSpeed = 1.0f;
    Point<float> throwerProjectileAttenuation {0.0f, 0.5f};

    int32_t boatWormWait = 40;
    int32_t boatWormMaxLife = 2;
    Rect<int> boatWormTriggerZone {0, 256, 256, 0};
    float boatWormProjectileSpeed = 5.0f;

    int32_t fireDiamondUnfrozeDelay = 2;

    float jellyFishSpeed = 4.0f;
    float jellyFishSlowPercent = 0.95f;
    float jellyFishSlowLimit = 0.1f;

    Point<float> lonelyHeadImpulseRightRight {-1.8f, 3.6f};
    Point<float> lonelyHeadImpulseRightMid {-0.6f, 3.0f};
};
