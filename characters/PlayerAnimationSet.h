#pragma once

#include <array>

class AnimatedSprite;

// The 72 animations of the player in their fixed slots. An armor owns three
// sets of its own poses; applying a set makes every later animation change of
// the player use them. The slot names and the copy into the player belong to
// the player's animation code: until it fills them, a set holds null
// handles and applying it changes nothing visible.
struct PlayerAnimationSet {
    static constexpr int kAnimationCount = 72;
    std::array<AnimatedSprite*, kAnimationCount> animations {};
};
