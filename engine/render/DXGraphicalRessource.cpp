#include "engine/render/DXGraphicalRessource.h"

#include "engine/render/D3DDevice.h"
#include "engine/render/Image.h"

DXGraphicalRessource::DXGraphicalRessource(
    std::unique_ptr<GLTexture> texture_, uint32_t framebuffer_, bool renderTarget_)
    : texture(std::move(texture_))
    , framebuffer(GLFramebuffer::Adopt(framebuffer_))
    , renderTarget(renderTarget_)
{
    if (texture) {
        width = texture->GetWidth();
        height = texture->GetHeight();
    }
}

DXGraphicalRessource::DXGraphicalRessource(int width_, int height_)
    : width(width_)
    , height(height_)
{
}

DXGraphicalRessource::~DXGraphicalRessource()
{
    // Quads waiting to be drawn may use this texture, and it may be the bound
    // target. That device state belongs to the thread with the context (the
    // render thread); elsewhere the members hand their GL names over, the
    // framebuffer before the texture.
    if (GLTexture::HasCurrentContext()) {
        FlushQuads();
        if (g_RenderTargetTexture == this) {
            g_RenderTargetTexture = nullptr;
            g_RenderTargetSurface = 0;
        }
    }
}

uint32_t DXGraphicalRessource::GetSurface()
{
    if (!framebuffer && renderTarget && texture && g_Device && GLTexture::HasCurrentContext())
        framebuffer = GLFramebuffer::Adopt(CreateFramebufferFor(GetTextureName()));
    return framebuffer.Get();
}

uint32_t DXGraphicalRessource::GetTextureName() const
{
    return texture ? texture->GetName() : 0;
}
