#pragma once

#include <array>
#include <string>

class GraphicalObject;
class Player;

// The player's look for one form or armor: 72 animated graphicals by pose,
// facing and attack rank (null = none). The record does not own them: its
// owner releases them (Release) or keeps them elsewhere.
class PlayerAnimationSet {
public:
    static constexpr int kSlotCount = 72;
    static constexpr int kIndexCount = 66;

    PlayerAnimationSet() { slots.fill(nullptr); }
    explicit PlayerAnimationSet(const std::array<GraphicalObject*, kSlotCount>& all)
        : slots(all)
    {
    }

    // The name suffix of a slot ("GraphicalIdleL", "DieR", ...); empty out of
    // range.
    static std::string SlotName(int slot);
    // The slot of an index of Get, -1 outside 0 to 65.
    static int SlotOfIndex(int index);
    // The slot that holds an animation number of the player's move states,
    // -1 for a number without one.
    static int SlotOfAnimationId(int id);

    // The graphical at an index (see SlotOfIndex); null for any other.
    GraphicalObject* Get(int index) const;
    GraphicalObject* GetSlot(int slot) const
    {
        return slot >= 0 && slot < kSlotCount ? slots[static_cast<size_t>(slot)] : nullptr;
    }
    void SetSlot(int slot, GraphicalObject* g)
    {
        if (slot >= 0 && slot < kSlotCount)
            slots[static_cast<size_t>(slot)] = g;
    }

    // Copies the set into the player's animation fields: poses, the attack
    // poses of its attack rank, and its current animation. Null: nothing.
    void ApplyToPlayer(Player* player) const;
    // Deletes every graphical of the set once (a slot repeated elsewhere in
    // the set is not deleted twice) and empties the slots; the player's
    // current animation, which may be one of them, is cleared.
    void Release(Player* player);

private:
    std::array<GraphicalObject*, kSlotCount> slots;
};
