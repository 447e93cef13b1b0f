#pragma once

#include "engine/serial/Point.h"
#include "script/BackgroundEvent.h"

#include <string>

// Shakes the whole picture for a number of logic ticks with random offsets
// whose amplitude slides from a start to an end value on each axis; then it
// puts the picture back at (0, 0). An axis that starts at 0 never moves.
class BGEvent_ShakeCamera : public BackgroundEvent {
public:
    BGEvent_ShakeCamera(std::string name, int ticks, float startX, float endX, float startY, float endY);

    bool Update() override;
    std::string GetTypeName() const override { return "BGEvent_ShakeCamera"; }

    int GetRemaining() const { return params[2]; }
    // The offset sent last.
    Point<int> GetOffset() const { return offset; }
    Point<float> GetAmplitude() const { return Point<float>(currentX, currentY); }

private:
    // Sends the offset to the render engine, when there is one.
    void SendOffset();

    int total;
    float startX;
    float endX;
    float startY;
    float endY;
    float currentX;
    float currentY;
    Point<int> offset;
};
