#pragma once

#include "engine/serial/Point.h"

// A screen that slides over the game: the overlay screen (the map and its
// teleport menu) and the ending overlay. The game opens, closes and resets
// it; each opening starts its slide again from its rest position at the
// slide speed the game chose.
class OverlayObject {
public:
    // Open flag set, slide 0, back at the rest position.
    void Open();
    // Open flag cleared, slide 0, back at the rest position.
    void Close();
    bool IsOpen() const { return open; }

    bool open = false;
    // Set while the ending shows (the ending overlay only).
    bool secondFlag = false;
    float slide = 0.0f;
    float slideSpeed = 0.0f;
    Point<float> position;
    Point<float> restPosition;
};
