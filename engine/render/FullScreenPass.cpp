#include "engine/render/FullScreenPass.h"

#include "engine/platform/Window.h"
#include "engine/render/D3DDevice.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/GLTexture.h"
#include "engine/render/ShaderEffect_PostProcess.h"
#include "engine/render/ShaderRes.h"

#include <epoxy/gl.h>

#include <algorithm>

ShaderEffect_PostProcess* AsLoadedPostEffect(GraphicalEffect* effect)
{
    auto* post = dynamic_cast<ShaderEffect_PostProcess*>(effect);
    return post && post->GetProgram() ? post : nullptr;
}

FullScreenPass::FullScreenPass(DXRenderEngine& engine)
    : engine(engine)
{
}

FullScreenPass::~FullScreenPass()
{
    if (GLTexture::HasCurrentContext())
        DeleteTexture(scratchTexture, scratchSurface);
}

bool FullScreenPass::EnsureScratch()
{
    if (scratchTexture)
        return true;
    return CreateRenderTargetTexture(g_BackBufferWidth, g_BackBufferHeight, scratchTexture, scratchSurface);
}

bool FullScreenPass::ApplyToPicture(GraphicalEffect* effect)
{
    ShaderEffect_PostProcess* post = AsLoadedPostEffect(effect);
    if (!post || !g_Device || !g_RenderSurface || !GLTexture::HasCurrentContext() || !EnsureScratch())
        return false;
    FlushQuads();
    const int w = g_BackBufferWidth, h = g_BackBufferHeight;
    const bool blur = post->GetShader()->GetName() == "fullFX_MoBlur" && g_RenderSurface2;
    if (blur && BlurKeepsPicture())
        return true;
    CopyPicture(g_RenderTexture, g_RenderSurface, scratchTexture, scratchSurface);
    BindDrawTarget(0, w, h);
    glDisable(GL_BLEND);
    post->Run(0, 0, w, h, 0, 0, w, h, scratchTexture);
    glEnable(GL_BLEND);
    CountFullScreenPass(uint64_t(w) * uint64_t(h));
    if (blur) {
        CopyPicture(g_RenderTexture, g_RenderSurface, g_RenderTexture2, g_RenderSurface2);
        ReadPictureBytes(lastBlurResult);
        lastBlurSource = g_RenderTexture2;
        BindDrawTarget(0, w, h);
    }
    return true;
}

void FullScreenPass::ReadPictureBytes(std::vector<uint8_t>& bytes) const
{
    bytes.resize(size_t(g_BackBufferWidth) * size_t(g_BackBufferHeight) * 4);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, g_RenderSurface);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, g_BackBufferWidth, g_BackBufferHeight, GL_RGBA, GL_UNSIGNED_BYTE, bytes.data());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
}

bool FullScreenPass::BlurKeepsPicture()
{
    // The blur mixes the picture with the previous frame's result, held in
    // the second picture: where the two are equal it gives the picture back
    // as it is. A still picture (the title once faded in) is that case every
    // frame, and reading the picture back costs far less than the pass and
    // its two copies: then nothing is drawn or copied, and the second picture
    // already holds this frame's result. A second picture made anew since
    // the last result was kept is never taken for it.
    if (lastBlurSource != g_RenderTexture2 || lastBlurResult.empty())
        return false;
    ReadPictureBytes(pictureBytes);
    return pictureBytes == lastBlurResult;
}

void FullScreenPass::CopyPicture(
    uint32_t fromTexture, uint32_t fromFramebuffer, uint32_t toTexture, uint32_t toFramebuffer)
{
    const int w = g_BackBufferWidth, h = g_BackBufferHeight;
    if (copyImage < 0)
        copyImage = epoxy_gl_version() >= 43 || epoxy_has_gl_extension("GL_ARB_copy_image") ? 1 : 0;
    // A copy of texels between two textures of one format: a plain memory
    // copy on a software renderer, where a blit is a drawn pass (the two
    // copies of the title's motion blur cost more than the blur itself).
    if (copyImage == 1 && fromTexture != 0 && toTexture != 0) {
        glCopyImageSubData(
            fromTexture, GL_TEXTURE_2D, 0, 0, 0, 0, toTexture, GL_TEXTURE_2D, 0, 0, 0, 0, w, h, 1);
        return;
    }
    glBindFramebuffer(GL_READ_FRAMEBUFFER, fromFramebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, toFramebuffer);
    glBlitFramebuffer(0, 0, w, h, 0, 0, w, h, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
}

bool FullScreenPass::DrawToWindow(GraphicalEffect* published, bool linear, const Rect<int>& destination)
{
    if (!g_Device || !g_DeviceWindow || !g_RenderTexture || !GLTexture::HasCurrentContext())
        return false;
    ShaderEffect_PostProcess* post = AsLoadedPostEffect(published);
    if (!post) {
        if (!finalEffect) {
            ShaderRes* shader
                = engine.FindShaderRes(linear ? "BasicPostEffect_Linear" : "BasicPostEffect_Point");
            if (shader)
                finalEffect = std::make_unique<ShaderEffect_PostProcess>(shader);
        }
        post = AsLoadedPostEffect(finalEffect.get());
    }
    if (!post)
        return false;
    // The point copy is a textured-quad pass too: into a real window Mesa's
    // software renderer draws the quad for less than it blits (1.67x the
    // floor's CPU against 1.89x, the idle benchmark in the cemetery).
    ClearWindowForPicture(&destination);
    glDisable(GL_BLEND);
    post->Run(0, 0, g_BackBufferWidth, g_BackBufferHeight, destination.x0, destination.y0, destination.x1,
        destination.y1, g_RenderTexture);
    glEnable(GL_BLEND);
    CountFullScreenPass(uint64_t(std::max(destination.x1 - destination.x0, 0))
        * uint64_t(std::max(destination.y1 - destination.y0, 0)));
    return true;
}
