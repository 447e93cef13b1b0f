#include "engine/render/GLRenderTarget.h"

#include "engine/render/D3DDevice.h"

#include <epoxy/gl.h>

#include <algorithm>

std::unique_ptr<GLRenderTarget> GLRenderTarget::Create(int width, int height)
{
    std::unique_ptr<GLRenderTarget> target(new GLRenderTarget());
    target->texture = GLTextureName::Generate();
    target->framebuffer = GLFramebuffer::Generate();
    if (!target->texture || !target->framebuffer)
        return nullptr;
    target->textureWidth = static_cast<int>(NextPowerOfTwo(static_cast<uint32_t>(std::max(width, 0))));
    target->textureHeight = static_cast<int>(NextPowerOfTwo(static_cast<uint32_t>(std::max(height, 0))));

    glBindTexture(GL_TEXTURE_2D, target->texture.Get());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, target->textureWidth, target->textureHeight, 0, GL_RGBA,
        GL_UNSIGNED_BYTE, nullptr);
    GLint previous = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
    glBindFramebuffer(GL_FRAMEBUFFER, target->framebuffer.Get());
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, target->texture.Get(), 0);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    if (complete) {
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
    if (!complete)
        return nullptr;
    return target;
}

void GLRenderTarget::Release(unsigned int& textureName, unsigned int& framebufferName)
{
    textureName = texture.Release();
    framebufferName = framebuffer.Release();
}
