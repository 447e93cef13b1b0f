#pragma once

#include <cstdint>

class PlayerArmorHost;

// One of the player's abilities or armors. An ability is merely enabled or
// not; the player's movement and attack code asks. The armors derive from
// PlayerArmor and add their own behaviour.
class PlayerModifier {
public:
    explicit PlayerModifier(PlayerArmorHost* host_ = nullptr)
        : host(host_)
    {
    }
    virtual ~PlayerModifier() = default;
    PlayerModifier(const PlayerModifier&) = delete;
    PlayerModifier& operator=(const PlayerModifier&) = delete;

    // Stores the flag; enabling calls OnEnabled.
    virtual void SetEnabled(bool value);
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
    PlayerArmorHost* GetHost() const { return host; }

protected:
    // Counts the cooldown down to 0.
    void CountDownCooldown()
    {
        if (cooldown >= 1)
            --cooldown;
    }

    PlayerArmorHost* host = nullptr;
    bool enabled = false;
    int32_t cooldown = 0;
};

// The abilities that are only enabled or not.
class PlayerAbility : public PlayerModifier {
public:
    using PlayerModifier::PlayerModifier;
    void OnSelected(bool) override { }
    void OnDeselected() override { }
};

class PlayerArmorDoubleJump : public PlayerAbility {
public:
    using PlayerAbility::PlayerAbility;
};

class PlayerArmorClimb : public PlayerAbility {
public:
    using PlayerAbility::PlayerAbility;
};

class PlayerArmorSpider : public PlayerAbility {
public:
    using PlayerAbility::PlayerAbility;
};

// The strafe dash: starting one sets the cooldown to the strafe delay.
class PlayerArmorStraff : public PlayerAbility {
public:
    using PlayerAbility::PlayerAbility;
    void Update() override { CountDownCooldown(); }
    void StartDash();
};

// The crossbow and its bolts. Enabling it while an armor is worn gives the
// player the armor's crossbow poses.
class PlayerArmorCrossbow : public PlayerAbility {
public:
    using PlayerAbility::PlayerAbility;
    void Update() override { CountDownCooldown(); }
    void OnEnabled() override;

    int32_t boltCapacity = 3;
    int32_t boltsLeft = 3;
};
