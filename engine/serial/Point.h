#pragma once

#include <cmath>

template <class T> struct Point;

// A float coordinate as an int, truncated toward zero and held to the int
// range (NaN gives 0): positions from damaged files never overflow the
// integer arithmetic of drawing and collision.
constexpr int SaturatingToInt(float value)
{
    if (!(value == value))
        return 0;
    if (value >= 2147483520.0f) // the largest float below 2^31
        return 2147483520;
    if (value <= -2147483648.0f)
        return -2147483647 - 1;
    return static_cast<int>(value);
}

// Integer point: scene positions and sizes in pixels.
template <> struct Point<int> {
    int x = 0;
    int y = 0;

    constexpr Point() = default;
    constexpr Point(int x_, int y_)
        : x(x_)
        , y(y_)
    {
    }

    constexpr int GetX() const { return x; }
    constexpr int GetY() const { return y; }

    constexpr Point operator+(const Point& other) const { return {x + other.x, y + other.y}; }
    constexpr Point operator-(const Point& other) const { return {x - other.x, y - other.y}; }
    constexpr Point& operator+=(const Point& other)
    {
        x += other.x;
        y += other.y;
        return *this;
    }
    // Each product is truncated toward zero.
    Point operator*(float factor) const
    {
        return {static_cast<int>(static_cast<float>(x) * factor),
            static_cast<int>(static_cast<float>(y) * factor)};
    }
    constexpr bool operator!=(const Point& other) const { return x != other.x || y != other.y; }
    constexpr bool operator==(const Point& other) const { return x == other.x && y == other.y; }

    constexpr Point<float> ToFloat() const;
};

// Float point: speeds, directions and sub-pixel positions. Arithmetic stays in
// 32-bit floats.
template <> struct Point<float> {
    float x = 0.0f;
    float y = 0.0f;

    constexpr Point() = default;
    constexpr Point(float x_, float y_)
        : x(x_)
        , y(y_)
    {
    }

    constexpr Point operator+(const Point& other) const { return {x + other.x, y + other.y}; }
    constexpr Point operator-(const Point& other) const { return {x - other.x, y - other.y}; }
    constexpr Point& operator+=(const Point& other)
    {
        x += other.x;
        y += other.y;
        return *this;
    }
    constexpr Point& operator-=(const Point& other)
    {
        x -= other.x;
        y -= other.y;
        return *this;
    }
    constexpr void Translate(float dx, float dy)
    {
        x += dx;
        y += dy;
    }
    constexpr Point operator*(float factor) const { return {x * factor, y * factor}; }
    constexpr Point operator/(float divisor) const { return {x / divisor, y / divisor}; }
    constexpr bool operator==(const Point& other) const { return x == other.x && y == other.y; }

    float Length() const
    {
        const float squared = x * x + y * y;
        return std::sqrt(squared);
    }

    // Scales the vector to length 1. With keepShort set a vector shorter than
    // 1 is left as it is, so the operation only ever shortens; a zero vector
    // is always left unchanged.
    void Normalize(bool keepShort)
    {
        const float length = Length();
        if (length == 0.0f)
            return;
        if (length >= 1.0f || !keepShort) {
            x /= length;
            y /= length;
        }
    }

    // Each coordinate truncated toward zero, held to the int range.
    constexpr Point<int> ToInt() const { return {SaturatingToInt(x), SaturatingToInt(y)}; }
};

constexpr Point<float> Point<int>::ToFloat() const
{
    return {static_cast<float>(x), static_cast<float>(y)};
}
