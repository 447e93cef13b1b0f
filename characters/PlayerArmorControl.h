#pragma once

#include <memory>
#include <vector>

class PlayerArmorCrossbow;
class PlayerArmorFire;
class PlayerArmorHost;
class PlayerArmorIce;
class PlayerModifier;

// The player's armor rules run once per frame: the two armor actions select
// and use an armor (ice wins when both come in one frame), the key delay
// keeps a held action from firing every frame, and charges come back over
// time.
class PlayerArmorControl {
public:
    static constexpr int kKeyDelay = 8;
    // The default of the recharge period (PlayerArmorState).
    static constexpr int kRechargePeriod = 150;

    // One frame with the frame's two armor actions.
    static void UpdateArmors(PlayerArmorHost& player, bool fireAction, bool iceAction);
    // Marks the change, deselects the previous armor (-1 for none) and
    // selects the worn one.
    static void SwitchArmor(PlayerArmorHost& player, int previous, bool silent);
    // Enables the modifier at index when there is one.
    static void EnableModifier(PlayerArmorHost& player, int index);

    // The modifiers in their fixed slots: null when the vector is too short
    // or the object is of another class.
    static PlayerArmorFire* GetFireArmor(PlayerArmorHost& player);
    static PlayerArmorIce* GetIceArmor(PlayerArmorHost& player);
    static PlayerArmorCrossbow* GetCrossbow(PlayerArmorHost& player);
    // The player's modifier vector in its fixed order.
    static std::vector<std::unique_ptr<PlayerModifier>> CreateModifiers(PlayerArmorHost* player);
};
