#pragma once

#include "engine/serial/Point.h"

#include <algorithm>
#include <cmath>
#include <utility>

template <class T> class Rect;

// Integer rectangle with y pointing up: in normal form x0 <= x1 and y0 >= y1.
// Bounds are inclusive.
template <> class Rect<int> {
public:
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;

    constexpr Rect() = default;
    constexpr Rect(const Point<int>& first, const Point<int>& second)
        : x0(first.x)
        , y0(first.y)
        , x1(second.x)
        , y1(second.y)
    {
    }
    constexpr Rect(int x0_, int y0_, int x1_, int y1_)
        : x0(x0_)
        , y0(y0_)
        , x1(x1_)
        , y1(y1_)
    {
    }

    constexpr Point<int> GetFirstCorner() const { return {x0, y0}; }
    constexpr Point<int> GetSecondCorner() const { return {x1, y1}; }

    constexpr void Offset(const Point<int>& delta)
    {
        x0 += delta.x;
        x1 += delta.x;
        y0 += delta.y;
        y1 += delta.y;
    }

    // Signs kept: negative in y for a rectangle in normal form.
    constexpr Point<int> GetDelta() const { return {x1 - x0, y1 - y0}; }

    constexpr Rect Normalized() const
    {
        Rect copy = *this;
        if (copy.x0 > copy.x1)
            std::swap(copy.x0, copy.x1);
        if (copy.y0 < copy.y1)
            std::swap(copy.y0, copy.y1);
        return copy;
    }

    // Screen form (y pointing down): corners swapped per axis so that
    // x0 <= x1 and y0 <= y1.
    constexpr Rect Ordered() const
    {
        Rect copy = *this;
        if (copy.x0 > copy.x1)
            std::swap(copy.x0, copy.x1);
        if (copy.y0 > copy.y1)
            std::swap(copy.y0, copy.y1);
        return copy;
    }

    // Each coordinate raised to at least, then lowered to at most, the range
    // the other rectangle's corners give on its axis (first corner the lower
    // bound, second the upper one).
    constexpr Rect ClampInto(const Rect& other) const
    {
        const auto clamp = [](int value, int low, int high) { return std::min(std::max(value, low), high); };
        return Rect(clamp(x0, other.x0, other.x1), clamp(y0, other.y0, other.y1),
            clamp(x1, other.x0, other.x1), clamp(y1, other.y0, other.y1));
    }

    // All four bounds inclusive. Without normalising, a rectangle that is not
    // in normal form contains no point unless it is degenerate.
    constexpr bool Contains(const Point<int>& p, bool normaliseFirst) const
    {
        const Rect r = normaliseFirst ? Normalized() : *this;
        return r.x0 <= p.x && p.x <= r.x1 && r.y1 <= p.y && p.y <= r.y0;
    }

    constexpr bool operator==(const Rect& other) const
    {
        return x0 == other.x0 && y0 == other.y0 && x1 == other.x1 && y1 == other.y1;
    }
};

// Float rectangle, four floats; in normal form x0 <= x1 and y0 >= y1.
template <> class Rect<float> {
public:
    float x0 = 0.0f;
    float y0 = 0.0f;
    float x1 = 0.0f;
    float y1 = 0.0f;

    constexpr Rect() = default;
    constexpr Rect(float x0_, float y0_, float x1_, float y1_)
        : x0(x0_)
        , y0(y0_)
        , x1(x1_)
        , y1(y1_)
    {
    }

    constexpr Point<float> GetFirstCorner() const { return {x0, y0}; }
    constexpr Point<float> GetSecondCorner() const { return {x1, y1}; }

    constexpr void Offset(float dx, float dy)
    {
        x0 += dx;
        x1 += dx;
        y0 += dy;
        y1 += dy;
    }

    // Positive for a rectangle in normal form.
    constexpr Point<float> GetSize() const { return {x1 - x0, y0 - y1}; }
    constexpr Point<float> GetCenter() const { return {(x0 + x1) * 0.5f, (y0 + y1) * 0.5f}; }

    // Inclusive overlap by centres and half extents: touching edges intersect.
    bool Intersects(const Rect& other) const
    {
        const Point<float> sizeA = GetSize();
        const Point<float> sizeB = other.GetSize();
        const Point<float> centreA = Point<float>(x0, y1) + (sizeA + Point<float>(1.0f, 1.0f)) / 2.0f;
        const Point<float> centreB
            = Point<float>(other.x0, other.y1) + (sizeB + Point<float>(1.0f, 1.0f)) / 2.0f;
        const Point<float> halfA = sizeA / 2.0f;
        const Point<float> halfB = sizeB / 2.0f;
        const Point<float> d = centreA - centreB;
        const float limitX = halfA.x + halfB.x;
        const float limitY = halfA.y + halfB.y;
        return std::fabs(d.x) <= limitX && std::fabs(d.y) <= limitY;
    }

    // A copy in normal form.
    static constexpr Rect Normalize(const Rect& rect)
    {
        Rect copy = rect;
        if (copy.x1 < copy.x0)
            std::swap(copy.x0, copy.x1);
        if (copy.y0 < copy.y1)
            std::swap(copy.y0, copy.y1);
        return copy;
    }

    // Normalises, then tests with every edge inclusive.
    static constexpr bool Contains(const Rect& rect, const Point<float>& p)
    {
        const Rect r = Normalize(rect);
        return r.x0 <= p.x && p.x <= r.x1 && r.y1 <= p.y && p.y <= r.y0;
    }

    // True when a corner of one lies in the other. Two rectangles crossing
    // like a plus sign hold no corner of each other and do not overlap here.
    static constexpr bool Overlaps(const Rect& a, const Rect& b)
    {
        const Point<float> cornersA[4] = {{a.x0, a.y0}, {a.x1, a.y0}, {a.x0, a.y1}, {a.x1, a.y1}};
        const Point<float> cornersB[4] = {{b.x0, b.y0}, {b.x1, b.y0}, {b.x0, b.y1}, {b.x1, b.y1}};
        for (const Point<float>& corner : cornersA)
            if (Contains(b, corner))
                return true;
        for (const Point<float>& corner : cornersB)
            if (Contains(a, corner))
                return true;
        return false;
    }

    constexpr bool operator==(const Rect& other) const
    {
        return x0 == other.x0 && y0 == other.y0 && x1 == other.x1 && y1 == other.y1;
    }
};

// The rectangle whose first corner is a's plus b's and whose second corner is
// a's plus b's.
constexpr Rect<int> BuildBox(const Rect<int>& a, const Rect<int>& b)
{
    return Rect<int>(a.x0 + b.x0, a.y0 + b.y0, a.x1 + b.x1, a.y1 + b.y1);
}
