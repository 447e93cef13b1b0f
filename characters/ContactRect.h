#pragma once

#include "engine/serial/Rect.h"

#include <cmath>

// The contact test of zones and dropped items, on rectangles y up with
// inclusive bounds: on each axis the distance between the centres is at most
// the sum of the half extents, an extent being x1 - x0 + 1 (y0 - y1 + 1). So
// rectangles that share an edge, or lie side by side, touch.
inline bool ContactRectsTouch(const Rect<float>& a, const Rect<float>& b)
{
    const float widthA = a.x1 - a.x0 + 1.0f;
    const float heightA = a.y0 - a.y1 + 1.0f;
    const float widthB = b.x1 - b.x0 + 1.0f;
    const float heightB = b.y0 - b.y1 + 1.0f;
    const float dx = (a.x0 + widthA * 0.5f) - (b.x0 + widthB * 0.5f);
    const float dy = (a.y1 + heightA * 0.5f) - (b.y1 + heightB * 0.5f);
    return std::fabs(dx) <= widthA * 0.5f + widthB * 0.5f && std::fabs(dy) <= heightA * 0.5f + heightB * 0.5f;
}
