#pragma once

#include <cstddef>
#include <vector>

// What a save slot holds of the player's progress, as the player takes it
// back at a load: the abilities and armors found, the worn armor, the
// crossbow, life, the armor charges and levels, the pickups' flags, the
// attack rank and the fireflies. The game fills it from its save record.
struct PlayerProgress {
    // The most life and power slots a player holds. The world gives 8 life
    // (4, then two pickups of 2) and 3 slots; the HUD draws one lantern per
    // 2 life and one slot each, so a save from elsewhere stays well within
    // what it can draw. Pickups stop at these, and a slot beyond them is
    // refused as damaged.
    static constexpr int kMaxLife = 100;
    static constexpr int kMaxPowerSlots = 100;
    // The rest of what a save holds, as far as play takes it: three rank
    // pickups raise the attack rank from 1 to 4; the crossbow has looks and
    // damages for ranks 1 to 3; the HUD's bolt counter draws 0 to 8 bolts
    // (the world gives 4); the armor upgrades set level 2; the recharge
    // period starts at 150 frames and pickups only lower it; the worn armor
    // is the fire armor, the ice armor or none; the player has 7 modifiers.
    // Pickups hold at these, and a slot beyond them is refused as damaged.
    static constexpr int kMaxAttackRank = 4;
    static constexpr int kMaxCrossbowRank = 3;
    static constexpr int kMaxBolts = 8;
    static constexpr int kMaxArmorLevel = 2;
    static constexpr int kMaxRechargePeriod = 150;
    static constexpr int kMaxWornArmor = 1;
    static constexpr int kModifierCount = 7;

    std::vector<bool> modifierFlags;
    int currentArmor = 0;
    int crossbowAmmo = 0;
    int crossbowCapacity = 0;
    int maxLife = 0;
    bool minimapInHud = false;
    int powerSlots = 0;
    int powerPerSlot = 0;
    bool playerFlag1 = false;
    bool playerFlag2 = false;
    int playerCounter = 0;
    int fireArmorLevel = 0;
    int iceArmorLevel = 0;
    int attackRank = 0;
    int hasFireflies = 0;

    bool IsModifierEnabled(size_t i) const { return i < modifierFlags.size() && modifierFlags[i]; }
};
