#pragma once

#include "engine/render/EffectProgram.h"
#include "engine/serial/Point.h"

#include <array>
#include <cstdint>

// The target an effect draws into: its size in pixels, and whether it is a
// render texture (rows top first, so the projection turns y over) or the
// window.
struct EffectTarget {
    int width = 512;
    int height = 448;
    bool renderTexture = true;
};

// The bound draw target on the render thread; without a GL context, the
// picture.
EffectTarget CurrentEffectTarget();

// The orthographic projection of the device layer for that target: the
// target's centre is the origin, y grows upwards. Column-major.
std::array<float, 16> EffectProjection(const EffectTarget& target);

// The corners of a sprite quad in strip order (top-left, top-right,
// bottom-left, bottom-right), in the target's centred, y-up system: the
// texture at (x, y) (top-left, target pixels, y down), `quadSize` pixels
// large, showing the source (sx, sy, w, h) of a texture of textureWidth x
// textureHeight (power-of-two sides), turned by `rotationDegrees` about
// rotationPoint and mirrored with the device's mirror flag.
EffectQuadVertices MakeEffectQuad(float x, float y, Point<int> quadSize, int textureWidth, int textureHeight,
    Point<int> rotationPoint, float rotationDegrees, int sx, int sy, int w, int h, uint32_t colour,
    const EffectTarget& target);

// The device layer's quad routine through an effect: draws the quad with the
// effect's open pass.
void DrawEffectQuad(IEffectProgram& program, const EffectQuadVertices& vertices);
