#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A picture of the game's window, its pixels as 0xRRGGBB, row by row from
// the top. What the player program sees: the window's own pixels, nothing
// from inside the game.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    Picture() = default;
    Picture(int w, int h, uint32_t fill = 0)
        : width(w)
        , height(h)
        , pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill)
    {
    }

    bool Empty() const { return width <= 0 || height <= 0; }
    uint32_t At(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return 0;
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width)
            + static_cast<std::size_t>(x)];
    }
    void Set(int x, int y, uint32_t rgb)
    {
        if (x >= 0 && y >= 0 && x < width && y < height)
            pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width)
                + static_cast<std::size_t>(x)]
                = rgb;
    }
    static int Red(uint32_t rgb) { return static_cast<int>((rgb >> 16) & 0xff); }
    static int Green(uint32_t rgb) { return static_cast<int>((rgb >> 8) & 0xff); }
    static int Blue(uint32_t rgb) { return static_cast<int>(rgb & 0xff); }
};
