#pragma once

#include <cstdint>

// An RGBA colour, each channel 0 to 255. Not a record by itself: the classes
// that hold one write its channels among their own fields.
class Color {
public:
    // Opaque black.
    Color() = default;
    Color(int32_t r, int32_t g, int32_t b)
        : r(r)
        , g(g)
        , b(b)
    {
    }
    Color(int32_t r, int32_t g, int32_t b, int32_t a)
        : r(r)
        , g(g)
        , b(b)
        , a(a)
    {
    }
    Color(const Color&) = default;
    Color& operator=(const Color&) = default;
    virtual ~Color() = default;

    static Color White() { return Color(255, 255, 255, 255); }

    bool operator==(const Color& other) const
    {
        return r == other.r && g == other.g && b == other.b && a == other.a;
    }

    int32_t r = 0;
    int32_t g = 0;
    int32_t b = 0;
    int32_t a = 255;
};
