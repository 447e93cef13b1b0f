#include "engine/render/FullScreenPass.h"

#include "engine/platform/Window.h"
#include "engine/render/D3DDevice.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/GLTexture.h"
#include "engine/render/ShaderEffect_PostProcess.h"
#include "engine/render/ShaderRes.h"

#include <epoxy/gl.h>

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
    glBindFramebuffer(GL_READ_FRAMEBUFFER, g_RenderSurface);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, scratchSurface);
    glBlitFramebuffer(0, 0, w, h, 0, 0, w, h, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    BindDrawTarget(0, w, h);
    glDisable(GL_BLEND);
    post->Run(0, 0, w, h, 0, 0, w, h, scratchTexture);
    glEnable(GL_BLEND);
    if (post->GetShader()->GetName() == "fullFX_MoBlur" && g_RenderSurface2) {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, g_RenderSurface);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, g_RenderSurface2);
        glBlitFramebuffer(0, 0, w, h, 0, 0, w, h, GL_COLOR_BUFFER_BIT, GL_NEAREST);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        BindDrawTarget(0, w, h);
    }
    return true;
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
    return true;
}
