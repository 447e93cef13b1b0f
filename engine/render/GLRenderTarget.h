#pragma once

#include "engine/render/GLNames.h"

#include <memory>

// A texture to draw into and the framebuffer that draws into it, both owned.
// The texture's sides are the powers of two at or above the asked size (the
// quad routine's texture coordinates expect them); it starts transparent.
class GLRenderTarget {
public:
    // Null when there is no current context or the framebuffer is incomplete.
    static std::unique_ptr<GLRenderTarget> Create(int width, int height);

    unsigned int GetTexture() const { return texture.Get(); }
    unsigned int GetFramebuffer() const { return framebuffer.Get(); }
    int GetTextureWidth() const { return textureWidth; }
    int GetTextureHeight() const { return textureHeight; }

    // Hands both names to the caller (who deletes them), leaving this empty.
    void Release(unsigned int& textureName, unsigned int& framebufferName);

private:
    GLRenderTarget() = default;

    // The framebuffer goes first: it refers to the texture.
    GLTextureName texture;
    GLFramebuffer framebuffer;
    int textureWidth = 0;
    int textureHeight = 0;
};
