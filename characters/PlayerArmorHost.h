#pragma once

#include "engine/serial/Point.h"

#include <cstdint>
#include <memory>
#include <vector>

class BackgroundEvent;
class Level;
class PlayerModifier;
struct ArmorAnimationSet;

// The player's armor state: which armor is worn, its charges and the frame
// counters of the armor actions.
struct PlayerArmorState {
    // Index of the worn armor in the modifier vector: 0 fire, 1 ice, -1 none.
    int32_t currentArmor = -1;
    int32_t armorChargesMax = 0;
    int32_t armorCharges = 0;
    // Frames counted towards the next charge.
    int32_t armorRechargeCounter = 0;
    // Frames during which the armor actions are ignored.
    int32_t armorKeyDelay = 0;
    // Set whenever the worn armor is switched.
    bool armorChanged = false;
    // Frames per charge regained (the save slot carries it).
    int32_t armorRechargePeriod = 150;
};

// The player's sounds, by their index in the player's sound table
// (Player::kSoundNames).
enum PlayerSound : int {
    kSoundAttackNear = 0,
    kSoundMove = 1,
    kSoundJump = 2,
    kSoundHitByEnemy = 3,
    kSoundTouchGround = 4,
    kSoundTouchGroundHeavy = 5,
    kSoundAttackNearTouch = 6,
    kSoundAttackNearPhantomIgnore = 7,
    kSoundTransformLightning = 8,
    kSoundTransformSpider = 9,
    kSoundTransformChangeArmor = 10,
    kSoundUseAoeFire = 11,
    kSoundUseAoeIce = 12,
    kSoundEnterWater = 13,
    kSoundLeaveWater = 14,
    kSoundHeartBeat = 15,
    kSoundLowHp = 16,
    kSoundWaterToIce = 17,
    kSoundIceToWater = 18,
    kSoundLavaToIce = 19,
    kSoundGetPickupGeneric = 20,
    kSoundGetPickupMap = 21,
    kSoundArmorAvailable = 22,
    kSoundFireFliesHaveTarget = 23,
    kSoundUseAoe2Fire = 24,
    kSoundUseAoe2Ice = 25,
    kSoundAttackNear3 = 26,
    kSoundAttackNear4 = 27,
    kSoundDoubleJump = 28,
    kSoundDie = 29,
    kSoundGetDrop = 30,
    kSoundCount = 31,
};

// What the modifiers, the armors and the fireflies need of the player that
// wears them. The player implements it; the tests implement it with a stand
// of their own.
class PlayerArmorHost {
public:
    virtual ~PlayerArmorHost() = default;

    virtual PlayerArmorState& GetArmorState() = 0;
    // The modifier vector in its fixed order (0 fire, 1 ice, 2 double jump,
    // 3 climb, 4 spider, 5 crossbow, 6 strafe).
    virtual std::vector<std::unique_ptr<PlayerModifier>>& GetModifiers() = 0;

    // Level coordinates of the body's lower-left corner, and the body's size.
    virtual Point<float> GetArmorHostPosition() const = 0;
    virtual Point<int> GetArmorHostSize() const = 0;
    virtual int GetLife() const = 0;
    // Spider form (forms 4 to 7).
    virtual bool IsInSpiderForm() const = 0;
    virtual void PlayPlayerSound(int index) = 0;
    // The area attack of kind 1 (fire) or 2 (ice) with that radius.
    virtual void AreaAttack(int kind, float radius) = 0;
    // Freezes the ghost enemies whose centre lies less than radius pixels
    // from centre.
    virtual void FreezeGhostsNear(Point<float> centre, float radius) = 0;
    // The level that runs now; null between levels.
    virtual Level* GetCurrentLevel() const = 0;
    // Copies an armor's animation set into the player.
    virtual void ApplyAnimationSet(const ArmorAnimationSet& set) = 0;
    // The interface shows the armors (gates the charge-available sound).
    virtual bool IsArmorDisplayShown() const = 0;
};
