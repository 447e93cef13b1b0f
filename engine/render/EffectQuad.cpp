#include "engine/render/EffectQuad.h"

#include "engine/render/D3DDevice.h"
#include "engine/render/GLTexture.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cmath>

EffectTarget CurrentEffectTarget()
{
    EffectTarget target;
    target.width = g_BackBufferWidth;
    target.height = g_BackBufferHeight;
    if (!GLTexture::HasCurrentContext())
        return target;
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLint framebuffer = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &framebuffer);
    if (viewport[2] > 0 && viewport[3] > 0) {
        target.width = viewport[2];
        target.height = viewport[3];
    }
    target.renderTexture = framebuffer != 0;
    return target;
}

std::array<float, 16> EffectProjection(const EffectTarget& target)
{
    std::array<float, 16> m {};
    m[0] = 2.0f / static_cast<float>(std::max(target.width, 1));
    m[5] = (target.renderTexture ? -2.0f : 2.0f) / static_cast<float>(std::max(target.height, 1));
    m[10] = 1.0f;
    m[15] = 1.0f;
    return m;
}

EffectQuadVertices MakeEffectQuad(float x, float y, Point<int> quadSize, int textureWidth, int textureHeight,
    Point<int> rotationPoint, float rotationDegrees, int sx, int sy, int w, int h, uint32_t colour,
    const EffectTarget& target)
{
    const float halfW = target.width * 0.5f;
    const float halfH = target.height * 0.5f;
    EffectQuadVertices v {};
    // Strip order: top-left, top-right, bottom-left, bottom-right.
    const float cornerX[4] = {0.0f, float(quadSize.x), 0.0f, float(quadSize.x)};
    const float cornerY[4] = {0.0f, 0.0f, float(quadSize.y), float(quadSize.y)};
    if (rotationDegrees == 0.0f) {
        for (int i = 0; i < 4; ++i) {
            v[i].x = x + cornerX[i] - halfW;
            v[i].y = halfH - (y + cornerY[i]);
        }
    } else {
        // Positive degrees turn clockwise on screen, about the rotation
        // point, which stays where the unturned draw puts it. The effect
        // path's degree factor is a shade smaller than the plain quad's.
        const double radians = -static_cast<double>(rotationDegrees) * 0.01745277777777778;
        const float c = static_cast<float>(std::cos(radians));
        const float s = static_cast<float>(std::sin(radians));
        const float pivotX = x + rotationPoint.x - halfW;
        const float pivotY = halfH - (y + rotationPoint.y);
        for (int i = 0; i < 4; ++i) {
            const float dx = cornerX[i] - rotationPoint.x;
            const float dy = -(cornerY[i] - rotationPoint.y);
            v[i].x = pivotX + dx * c - dy * s;
            v[i].y = pivotY + dx * s + dy * c;
        }
    }
    const float invW
        = 1.0f / static_cast<float>(NextPowerOfTwo(static_cast<uint32_t>(std::max(textureWidth, 0))));
    const float invH
        = 1.0f / static_cast<float>(NextPowerOfTwo(static_cast<uint32_t>(std::max(textureHeight, 0))));
    float uLeft = sx * invW;
    float uRight = (sx + w) * invW;
    if (g_MirrorX)
        std::swap(uLeft, uRight);
    const float vTop = sy * invH;
    const float vBottom = (sy + h) * invH;
    const float us[4] = {uLeft, uRight, uLeft, uRight};
    const float vs[4] = {vTop, vTop, vBottom, vBottom};
    for (int i = 0; i < 4; ++i) {
        v[i].u = us[i];
        v[i].v = vs[i];
        v[i].colour = colour;
    }
    return v;
}

void DrawEffectQuad(IEffectProgram& program, const EffectQuadVertices& vertices)
{
    program.DrawQuad(vertices);
}
