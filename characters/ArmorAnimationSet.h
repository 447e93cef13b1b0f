#pragma once

#include "characters/PlayerAnimationSet.h"

#include <array>

class AnimatedSprite;

// The animations of the player in their fixed slots (the slot names are
// PlayerAnimationSet's). An armor owns three sets of its own poses, the game's
// animated sprites (borrowed); applying a set makes every later animation
// change of the player use them; an empty slot shows nothing.
struct ArmorAnimationSet {
    static constexpr int kAnimationCount = PlayerAnimationSet::kSlotCount;
    std::array<AnimatedSprite*, kAnimationCount> animations {};
};
