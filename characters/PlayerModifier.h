#pragma once

#include "characters/PlayerTuning.h"

#include <cstdint>

// One of the player's abilities or armors, held by the player in a fixed
// order: 0 fire armor, 1 ice armor, 2 double jump, 3 climb, 4 spider form,
// 5 crossbow, 6 strafe. The movement and attack code asks whether an entry
// is enabled; the armors and the strafe count frames down in `cooldown`.
class PlayerModifier {
public:
    PlayerModifier() = default;
    PlayerModifier(const PlayerModifier&) = delete;
    PlayerModifier& operator=(const PlayerModifier&) = delete;
    virtual ~PlayerModifier() = default;

    // Stores the flag; enabling runs OnEnabled.
    virtual void SetEnabled(bool value)
    {
        enabled = value;
        if (value)
            OnEnabled();
    }
    virtual bool CanUse() { return true; }
    virtual void OnEnabled() { }
    virtual void OnSelected(bool silent) = 0;
    virtual void OnDeselected() = 0;
    virtual void Update() { }
    virtual void Use() { }
    virtual void Reset() { }

    bool IsEnabled() const { return enabled; }
    int32_t GetCooldown() const { return cooldown; }
    void SetCooldown(int32_t frames) { cooldown = frames; }

protected:
    bool enabled = false;
    int32_t cooldown = 0;
};

// Abilities that are merely enabled or not.
class PlayerAbility : public PlayerModifier {
public:
    void OnSelected(bool) override { }
    void OnDeselected() override { }
};

class PlayerArmorDoubleJump : public PlayerAbility { };
class PlayerArmorClimb : public PlayerAbility { };
class PlayerArmorSpider : public PlayerAbility { };

// The strafe dash: starting one sets the cool-down to the strafe delay.
class PlayerArmorStraff : public PlayerAbility {
public:
    void Update() override
    {
        if (cooldown >= 1)
            --cooldown;
    }
};

// The crossbow and its bolt stock.
class PlayerArmorCrossbow : public PlayerAbility {
public:
    // Takes the worn armor's crossbow poses into the player.
    void OnEnabled() override;
    void Update() override
    {
        if (cooldown >= 1)
            --cooldown;
    }

    int32_t boltCapacity = 3;
    int32_t boltsLeft = 3;
};
