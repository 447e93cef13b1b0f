#pragma once

#include "engine/serial/Point.h"
#include "engine/serial/Rect.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

// Boxes of hit tests: Rect<int> in normal form (x0 <= x1, y0 >= y1), bounds
// inclusive.

// The box from (o.x, o.y + a) to (o.x + b, o.y).
Rect<int> MakeBox(Point<int> origin, int a, int b);
// (x1 - x0, y0 - y1).
Point<int> GetBoxSize(const Rect<int>& box);
// The one overlap test of every hit: the closed ranges of the two boxes meet
// on both axes, so boxes sharing only an edge or a corner overlap.
bool BoxesOverlap(const Rect<int>& a, const Rect<int>& b);

// Sorts values and keys together by ascending key; equal keys keep their
// order. Both lists must have the same length.
template <class T> void SortByKeys(std::vector<T>& values, std::vector<int>& keys)
{
    const size_t count = std::min(values.size(), keys.size());
    std::vector<size_t> order(count);
    for (size_t i = 0; i < count; ++i)
        order[i] = i;
    // A stable sort gives the order the recursive partition gives.
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return keys[a] < keys[b]; });
    std::vector<T> sortedValues;
    std::vector<int> sortedKeys;
    sortedValues.reserve(count);
    sortedKeys.reserve(count);
    for (size_t i : order) {
        sortedValues.push_back(std::move(values[i]));
        sortedKeys.push_back(keys[i]);
    }
    values = std::move(sortedValues);
    keys = std::move(sortedKeys);
}
