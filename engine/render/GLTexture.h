#pragma once

#include "engine/render/ContentMap.h"
#include "engine/render/PixelImage.h"

#include <cstdint>
#include <memory>

// One OpenGL 2D texture (RGBA8), owned. Its storage is rounded up to powers of
// two, with the picture in the top-left corner (texture row 0 is the top row
// of the picture), so texture coordinates are pixel / texture size, as the
// quad routine computes them. The picture size and the storage size are kept
// apart.
//
// A texture may be made on any thread: the pixels wait in memory until the
// first use on a thread with a current GL context (the render thread), which
// uploads them and lets the CPU copy go. A texture made from a PNG still
// encoded waits with the compressed bytes only and is decoded at that first
// use, so pictures never drawn are never decoded. Destroyed on a thread without a context, its GL name is handed
// to the render thread, which deletes it at its next DeleteOrphans(); the
// framebuffers drawing into textures go the same way.
class GLTexture {
public:
    GLTexture() = default;
    // Pixels to upload at first use.
    explicit GLTexture(PixelImage picture);
    // A PNG to decode at first use (its header gives the size now).
    explicit GLTexture(EncodedPng png);
    // A transparent texture of that picture size, e.g. a render target.
    GLTexture(int width, int height);
    ~GLTexture();

    GLTexture(GLTexture&& other) noexcept;
    GLTexture& operator=(GLTexture&& other) noexcept;
    GLTexture(const GLTexture&) = delete;
    GLTexture& operator=(const GLTexture&) = delete;

    // Uploads pending pixels, decoding them first when they are still
    // encoded; needs a current GL context. True when the GL texture exists
    // afterwards. A picture that fails to decode leaves the texture invalid.
    bool Upload();
    // Decodes a picture still encoded (on any thread; no GL needed). True
    // when pixels or the uploaded texture are there afterwards.
    bool Decode();
    // The picture's pixels are decoded (or were never encoded).
    bool IsDecoded() const { return encoded.bytes.empty(); }
    // The GL name, uploading first when needed; 0 when there is no texture.
    unsigned int GetName();
    bool IsUploaded() const { return name != 0; }
    // True when there is something to draw: uploaded or waiting to be.
    bool IsValid() const { return width > 0 && height > 0; }

    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    int GetTextureWidth() const { return textureWidth; }
    int GetTextureHeight() const { return textureHeight; }

    // Where the picture has content, for pictures loaded from files (null
    // for render targets, whose content changes as they are drawn into, and
    // until an encoded picture is decoded).
    const ContentMap* GetContent() const { return content.get(); }
    // Maps the content now, or when the picture is decoded.
    void MapContent();
    // Makes fully white pixels transparent when the picture is decoded, as
    // the loader does for scrambled files.
    void KeyOutWhite() { keyOutWhite = true; }

    // Point (nearest) or linear filtering; needs the texture uploaded.
    void SetLinearFilter(bool linear);

    // Reads the picture part back (needs a current context); empty when the
    // texture is not uploaded.
    PixelImage Download();

    // Deletes a framebuffer now where a context is current, else hands it to
    // the render thread's next DeleteOrphans.
    static void DeleteFramebuffer(unsigned int framebuffer);
    // The render thread calls this once per frame: deletes the textures and
    // framebuffers released where no context was current.
    static void DeleteOrphans();
    // Whether the calling thread has a current GL context.
    static bool HasCurrentContext();

private:
    void Destroy();

    unsigned int name = 0;
    int width = 0;
    int height = 0;
    int textureWidth = 0;
    int textureHeight = 0;
    PixelImage pending;
    EncodedPng encoded;
    std::unique_ptr<ContentMap> content;
    bool mapContent = false;
    bool keyOutWhite = false;
};
