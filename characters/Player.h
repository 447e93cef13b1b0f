#pragma once

#include "characters/CharacterObject.h"
#include "characters/PlayerMovingStage.h"
#include "characters/PlayerTuning.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The player character. Only what the game object and the tuning commands
// write is here yet: the speeds and stages copied from the tuning values,
// the armor flags, the crossbow counter, the attack rank and the enabled
// flags of the modifiers.
class Player : public CharacterObject {
public:
    explicit Player(std::string name)
        : CharacterObject(std::move(name))
    {
        SetPlayerCharacter(true);
    }

    void SetAttackRank(int rank) { attackRank = rank; }
    int GetAttackRank() const { return attackRank; }

    int GetModifierCount() const { return static_cast<int>(modifiersEnabled.size()); }
    // Enables the modifier when the index names one.
    void EnableModifier(int index)
    {
        if (index >= 0 && index < GetModifierCount())
            modifiersEnabled[static_cast<size_t>(index)] = true;
    }
    bool IsModifierEnabled(int index) const
    {
        return index >= 0 && index < GetModifierCount() && modifiersEnabled[static_cast<size_t>(index)];
    }

    float walkSpeed = PlayerTuning::walkSpeed;
    float jumpSpeedH = PlayerTuning::jumpSpeedH;
    float climbSpeed = PlayerTuning::climbSpeed;
    PlayerMovingStages stages = PlayerTuning::stages;
    int32_t armorFlag = 0;
    uint8_t armorFlagByte = 0;
    int32_t crossbowCount = 0;

protected:
    std::vector<bool> modifiersEnabled;

private:
    int attackRank = 0;
};
