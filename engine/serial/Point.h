#pragma once

#include <cmath>

template <class T> struct Point;

// a - b, saturating at the ends of the int range.
constexpr int SaturatingSub(int a, int b);

// A float truncated toward zero into an int, saturating instead of
// overflowing: values beyond the int range give its ends, NaN gives 0.
constexpr int SaturateToInt(float value)
{
    if (!(value == value))
        return 0;
    if (value >= 2147483648.0f)
        return 2147483647;
    if (value <= -2147483648.0f)
        return -2147483647 - 1;
    return static_cast<int>(value);
}

// A sum of ints that saturates at the ends of the int range.
constexpr int SaturatingAdd(int a, int b)
{
    const long long sum = static_cast<long long>(a) + b;
    if (sum > 2147483647)
        return 2147483647;
    if (sum < -2147483647 - 1)
        return -2147483647 - 1;
    return static_cast<int>(sum);
}

constexpr int SaturatingSub(int a, int b)
{
    const long long difference = static_cast<long long>(a) - b;
    if (difference > 2147483647)
        return 2147483647;
    if (difference < -2147483647 - 1)
        return -2147483647 - 1;
    return static_cast<int>(difference);
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
    // Each product is truncated toward zero (saturated at the int range).
    Point operator*(float factor) const
    {
        return {SaturateToInt(static_cast<float>(x) * factor), SaturateToInt(static_cast<float>(y) * factor)};
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

    // Each coordinate truncated toward zero, saturated at the int range (NaN
    // gives 0), so far-off or broken positions never overflow.
    constexpr Point<int> ToInt() const { return {SaturateToInt(x), SaturateToInt(y)}; }
};

constexpr Point<float> Point<int>::ToFloat() const
{
    return {static_cast<float>(x), static_cast<float>(y)};
}
