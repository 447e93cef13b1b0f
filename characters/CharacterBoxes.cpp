#include "characters/CharacterBoxes.h"

#include <cmath>

Rect<int> MakeBox(Point<int> origin, int a, int b)
{
    return Rect<int>(origin.x, origin.y + a, origin.x + b, origin.y);
}

Point<int> GetBoxSize(const Rect<int>& box)
{
    return Point<int>(box.x1 - box.x0, box.y0 - box.y1);
}

bool BoxesOverlap(const Rect<int>& a, const Rect<int>& b)
{
    // Centres and half extents in floats (doubles, so that far-off boxes
    // keep whole pixels): each box spans size + 1 pixels.
    auto centre = [](const Rect<int>& r, const Point<int>& size) {
        return std::pair<double, double>(r.x0 + (size.x + 1.0) / 2.0, r.y1 + (size.y + 1.0) / 2.0);
    };
    const Point<int> sizeA = GetBoxSize(a);
    const Point<int> sizeB = GetBoxSize(b);
    const auto [ax, ay] = centre(a, sizeA);
    const auto [bx, by] = centre(b, sizeB);
    return std::fabs(bx - ax) <= sizeA.x / 2.0 + sizeB.x / 2.0
        && std::fabs(by - ay) <= sizeA.y / 2.0 + sizeB.y / 2.0;
}
