#include "engine/render/D3DDevice.h"

#include "engine/platform/Window.h"
#include "engine/render/PixelImage.h"

#include <SDL.h>
#include <epoxy/gl.h>

// Read-backs of the device's pixels (tests, screenshots), on the render
// thread only: draws waiting in the quad batch go out first.
namespace {

bool DeviceUsable()
{
    return g_Device && SDL_GL_GetCurrentContext() != nullptr;
}

} // namespace

namespace {

// The pixels of the bound read framebuffer as ARGB words, rows top first:
// render textures hold their top row first, the window's rows run bottom-up.
void ReadBoundPixels(int x, int y, int w, int h, bool bottomUp, std::vector<uint32_t>& argb)
{
    std::vector<uint8_t> rgba(static_cast<size_t>(w) * h * 4);
    glReadPixels(x, y, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    argb.resize(static_cast<size_t>(w) * h);
    for (int row = 0; row < h; ++row) {
        const size_t from = static_cast<size_t>(bottomUp ? h - 1 - row : row) * w;
        for (int col = 0; col < w; ++col)
            argb[static_cast<size_t>(row) * w + col] = ArgbFromRgba(&rgba[(from + col) * 4]);
    }
}

} // namespace

bool ReadFramebufferPixels(uint32_t framebuffer, int x, int y, int w, int h, std::vector<uint32_t>& argb)
{
    if (!DeviceUsable() || !framebuffer || w <= 0 || h <= 0)
        return false;
    FlushQuads();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    ReadBoundPixels(x, y, w, h, false, argb);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    return true;
}

bool ReadPicturePixels(int x, int y, int w, int h, std::vector<uint32_t>& argb)
{
    return ReadFramebufferPixels(g_RenderSurface, x, y, w, h, argb);
}

bool ReadWindowPixels(int x, int y, int w, int h, std::vector<uint32_t>& argb)
{
    if (!DeviceUsable() || !g_DeviceWindow || w <= 0 || h <= 0)
        return false;
    FlushQuads();
    int windowWidth = 0, windowHeight = 0;
    g_DeviceWindow->GetDrawableSize(windowWidth, windowHeight);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    ReadBoundPixels(x, windowHeight - y - h, w, h, true, argb);
    return true;
}
