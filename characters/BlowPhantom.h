#pragma once

#include "engine/serial/Rect.h"

// A character that blows pass through for a while: a ghost in its fade,
// which the player's blow touches without striking it.
class BlowPhantom {
public:
    virtual ~BlowPhantom() = default;
    // Whether a blow in that box (world coordinates) passes through it now.
    virtual bool IgnoresBlow(Rect<int> box) = 0;
};
