#pragma once

#include "characters/PlayerAnimationSet.h"
#include "characters/PlayerModifier.h"
#include "engine/serial/Point.h"

#include <cstdint>
#include <string>

// An elemental armor: three animation sets (level 1, level 2, and the
// crossbow poses taken while the crossbow is enabled) built from the
// prefixed names of the game library, its level and the one-time build
// flag. Wearing it copies its set into the player. The scenery it changes
// is the business of the fire and ice armors themselves.
class PlayerArmor : public PlayerModifier {
public:
    // prefix: "[Fire]" or "[Ice]"; the level-2 set uses prefix with a 2
    // before the closing bracket.
    explicit PlayerArmor(std::string prefix);
    ~PlayerArmor() override;

    // Builds the animation sets once.
    void OnEnabled() override;
    // Applies the armor's set; unless silent also plays the change sound
    // and uses the armor.
    void OnSelected(bool silent) override;
    void OnDeselected() override { }

    virtual void ApplyAnimationSet();
    virtual Point<int> GetReplaceZoneSize() = 0;
    PlayerAnimationSet& GetAnimationSet() { return level == 2 ? setB : setA; }
    PlayerAnimationSet& GetAnimationSetB() { return setB; }
    PlayerAnimationSet& GetAnimationSetC() { return setC; }
    int32_t GetLevel() const { return level; }
    void SetLevel(int32_t value) { level = value; }
    bool IsBuilt() const { return built != 0; }

protected:
    std::string prefix;
    PlayerAnimationSet setA;
    PlayerAnimationSet setB;
    PlayerAnimationSet setC;
    int32_t level = 1;
    int32_t built = 0;
};

// The fire armor; its sets are built at construction. Its use and the
// thawing of scenery come with the armors' own code.
class PlayerArmorFire : public PlayerArmor {
public:
    PlayerArmorFire();
    Point<int> GetReplaceZoneSize() override { return {10, 10}; }
};

// The ice armor. Enabling it gives the player two armor charges when it had
// none. Its use and the freezing of scenery come with the armors' own code.
class PlayerArmorIce : public PlayerArmor {
public:
    PlayerArmorIce();
    void SetEnabled(bool value) override;
    Point<int> GetReplaceZoneSize() override
    {
        return {PlayerTuning::iceReplaceZoneWidth, PlayerTuning::iceReplaceZoneHeight};
    }
    // The frozen objects; cleared at each level.
    void ClearFrozen() { }
};
