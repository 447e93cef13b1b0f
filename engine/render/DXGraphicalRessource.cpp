#include "engine/render/DXGraphicalRessource.h"

#include "engine/render/D3DDevice.h"

DXGraphicalRessource::DXGraphicalRessource(std::unique_ptr<GLTexture> texture_, uint32_t framebuffer_)
    : texture(std::move(texture_)), framebuffer(framebuffer_)
{
    if (texture) {
        width = texture->GetWidth();
        height = texture->GetHeight();
    }
}

DXGraphicalRessource::DXGraphicalRessource(int width_, int height_) : width(width_), height(height_) {}

DXGraphicalRessource::~DXGraphicalRessource()
{
    // Quads waiting to be drawn may use this texture. The surface goes
    // first, then the texture; without a context here both names are handed
    // to the render thread.
    if (GLTexture::HasCurrentContext())
        FlushQuads();
    GLTexture::DeleteFramebuffer(framebuffer);
    if (g_RenderTargetTexture == this) {
        g_RenderTargetTexture = nullptr;
        g_RenderTargetSurface = 0;
    }
}

uint32_t DXGraphicalRessource::GetTextureName() const
{
    return texture ? texture->GetName() : 0;
}
