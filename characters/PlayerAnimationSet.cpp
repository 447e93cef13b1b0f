#include "characters/PlayerAnimationSet.h"

#include "characters/Player.h"
#include "scene/GraphicalObject.h"

#include <algorithm>

namespace {

constexpr std::array<const char*, PlayerAnimationSet::kSlotCount> kSlotNames = {"GraphicalIdleL",
    "GraphicalIdleR", "GraphicalJumpL", "GraphicalJumpR", "GraphicalWalkL", "GraphicalWalkR",
    "GraphicalFallL", "GraphicalFallR", "GraphicalCrouchL", "GraphicalCrouchR", "GraphicalCrouchWalkL",
    "GraphicalCrouchWalkR", "GraphicalCrouchExtL", "GraphicalCrouchExtR", "DieL", "DieR", "RespawnL",
    "RespawnR", "GraphicalTouchedGroundL", "GraphicalTouchedGroundR", "GraphicalTouchedAirL",
    "GraphicalTouchedAirR", "GraphicalIdleAttackL", "GraphicalIdleAttackR", "GraphicalCrouchAttackL",
    "GraphicalCrouchAttackR", "GraphicalWalkAttackL", "GraphicalWalkAttackR", "GraphicalAirAttackL",
    "GraphicalAirAttackR", "GraphicalIdleCrossbowL", "GraphicalIdleCrossbowR", "GraphicalCrouchCrossbowL",
    "GraphicalCrouchCrossbowR", "GraphicalAirCrossbowL", "GraphicalAirCrossbowR", "GraphicalHighFallCrouchL",
    "GraphicalHighFallCrouchR", "GraphicalStraffBwdL", "GraphicalStraffBwdR", "GraphicalStraffFwdL",
    "GraphicalStraffFwdR", "GraphicalClimbIdleR", "GraphicalClimbUpR", "GraphicalClimbDownR",
    "GraphicalClimbIdleL", "GraphicalClimbUpL", "GraphicalClimbDownL", "GraphicalIdleAttack[r2]L",
    "GraphicalIdleAttack[r2]R", "GraphicalCrouchAttack[r2]L", "GraphicalCrouchAttack[r2]R",
    "GraphicalWalkAttack[r2]L", "GraphicalWalkAttack[r2]R", "GraphicalAirAttack[r2]L",
    "GraphicalAirAttack[r2]R", "GraphicalIdleAttack[r3]L", "GraphicalIdleAttack[r3]R",
    "GraphicalCrouchAttack[r3]L", "GraphicalCrouchAttack[r3]R", "GraphicalWalkAttack[r3]L",
    "GraphicalWalkAttack[r3]R", "GraphicalAirAttack[r3]L", "GraphicalAirAttack[r3]R",
    "GraphicalIdleAttack[r4]L", "GraphicalIdleAttack[r4]R", "GraphicalCrouchAttack[r4]L",
    "GraphicalCrouchAttack[r4]R", "GraphicalWalkAttack[r4]L", "GraphicalWalkAttack[r4]R",
    "GraphicalAirAttack[r4]L", "GraphicalAirAttack[r4]R"};

// Slot of each index of Get: the walk attacks of ranks 2 to 4 have none.
constexpr std::array<int, PlayerAnimationSet::kIndexCount> kIndexSlots
    = {2, 3, 6, 7, 4, 5, 0, 1, 8, 9, 10, 11, 13, 12, 36, 37, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29,
        30, 31, 32, 33, 34, 35, 48, 49, 50, 51, 54, 55, 56, 57, 58, 59, 62, 63, 64, 65, 66, 67, 70, 71, 42,
        43, 44, 45, 46, 47, 40, 38, 41, 39, 14, 15, 16, 17};

// Slot of each animation number of the move states (-1: none).
constexpr std::array<int, 28> kAnimationIdSlots
    = {0, 1, 12, 13, 8, 9, 6, 7, 36, 37, 2, 3, 4, 5, 42, 43, 44, 45, 46, 47, 18, 19, 20, 21, 38, 39, 40, 41};

} // namespace

std::string PlayerAnimationSet::SlotName(int slot)
{
    return slot >= 0 && slot < kSlotCount ? kSlotNames[static_cast<size_t>(slot)] : "";
}

int PlayerAnimationSet::SlotOfIndex(int index)
{
    return index >= 0 && index < kIndexCount ? kIndexSlots[static_cast<size_t>(index)] : -1;
}

int PlayerAnimationSet::SlotOfAnimationId(int id)
{
    return id >= 0 && id < static_cast<int>(kAnimationIdSlots.size())
        ? kAnimationIdSlots[static_cast<size_t>(id)]
        : -1;
}

GraphicalObject* PlayerAnimationSet::Get(int index) const
{
    return GetSlot(SlotOfIndex(index));
}

void PlayerAnimationSet::ApplyToPlayer(Player* player) const
{
    if (player == nullptr)
        return;
    for (int slot = 0; slot <= 21; ++slot)
        player->SetAnimationField(slot, slots[static_cast<size_t>(slot)]);
    for (int slot = 30; slot <= 47; ++slot)
        player->SetAnimationField(slot, slots[static_cast<size_t>(slot)]);
    const int rank = player->GetAttackRank();
    const int first = rank == 1 ? 22 : rank == 2 ? 48 : rank == 3 ? 56 : rank == 4 ? 64 : -1;
    if (first != -1) {
        for (int i = 0; i < 8; ++i)
            player->SetAnimationField(22 + i, slots[static_cast<size_t>(first + i)]);
    }
    const int currentSlot = SlotOfAnimationId(player->GetCurrentAnimationId());
    if (currentSlot != -1)
        player->SetCurrentAnimation(slots[static_cast<size_t>(currentSlot)]);
}

void PlayerAnimationSet::Release(Player* player)
{
    for (size_t i = 0; i < slots.size(); ++i) {
        GraphicalObject* g = slots[i];
        if (g == nullptr)
            continue;
        // Null every later slot holding the same graphical first.
        std::replace(slots.begin() + static_cast<std::ptrdiff_t>(i), slots.end(), g,
            static_cast<GraphicalObject*>(nullptr));
        delete g;
    }
    if (player != nullptr)
        player->SetCurrentAnimation(nullptr);
}
