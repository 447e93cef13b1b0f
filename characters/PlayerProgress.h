#pragma once

#include <cstddef>
#include <vector>

// What a save slot holds of the player's progress, as the player takes it
// back at a load: the abilities and armors found, the worn armor, the
// crossbow, life, the armor charges and levels, the pickups' flags, the
// attack rank and the fireflies. The game fills it from its save record.
struct PlayerProgress {
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
