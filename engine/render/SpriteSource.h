#pragma once

#include "engine/serial/Color.h"
#include "engine/serial/Point.h"
#include "engine/serial/Rect.h"

#include <cstdint>

// The part of a texture a sprite draw takes: left, top, width and height in
// texels. Shared by the plain sprite draw and the sprite effects.
struct SpriteSource {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const SpriteSource&) const = default;
};

// From the sprite's image rectangle (inclusive bounds): an unrotated draw
// is capped at clip.x1 by clip.y1 and cut by a positive clip.x0 / clip.y0 on
// the left / top; a rotated draw (or no clip) takes the whole rectangle.
inline SpriteSource MakeSpriteSource(const Rect<int>& imageRect, float rotation, const Rect<int>* clip)
{
    SpriteSource source {
        imageRect.x0, imageRect.y0, imageRect.x1 - imageRect.x0 + 1, imageRect.y1 - imageRect.y0 + 1};
    if (clip == nullptr || rotation != 0.0f)
        return source;
    if (source.width > clip->x1)
        source.width = clip->x1;
    if (source.height > clip->y1)
        source.height = clip->y1;
    if (clip->x0 > 0) {
        source.left += clip->x0;
        source.width -= clip->x0;
    }
    if (clip->y0 > 0) {
        source.top += clip->y0;
        source.height -= clip->y0;
    }
    return source;
}

// The quad of a tiled sprite draw (the colour effect, when the tile value is
// not 1 and the integer parameter is 1): P is the next power of two of the
// source width and height, the quad is P x tile value (truncated), and it is
// moved by (quad - P) x -0.5 (truncated) to stay centred.
struct TiledQuad {
    Point<int> size;
    Point<int> shift;
};

TiledQuad MakeTiledQuad(const SpriteSource& source, float tileValue);

// ARGB word of a colour, each channel held to 0..255.
uint32_t ColorToArgb(const Color& colour);
