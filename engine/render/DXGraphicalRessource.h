#pragma once

#include "engine/render/GLNames.h"
#include "engine/render/GLTexture.h"
#include "engine/render/IGraphicalRessource.h"

#include <cstdint>
#include <memory>

// A texture of the render engine: a GL texture, and for render textures the
// framebuffer that draws into it ("its first surface").
class DXGraphicalRessource : public IGraphicalRessource {
public:
    DXGraphicalRessource() = default;
    // Takes the texture over; framebuffer 0 for a plain texture. A render
    // target made where no GL context is current gets its framebuffer on its
    // first use on the render thread.
    DXGraphicalRessource(std::unique_ptr<GLTexture> texture, uint32_t framebuffer, bool renderTarget = false);
    // No texture yet, only a size.
    DXGraphicalRessource(int width, int height);
    ~DXGraphicalRessource() override;
    DXGraphicalRessource(const DXGraphicalRessource&) = delete;
    DXGraphicalRessource& operator=(const DXGraphicalRessource&) = delete;

    Point<int> GetSize() override { return Point<int>(width, height); }
    GLTexture* GetTexture() const { return texture.get(); }
    // The GL name of the texture (uploaded on first use), 0 without one.
    uint32_t GetTextureName() const;
    // The framebuffer drawing into the texture, made here on first use when
    // the texture was created off the render thread; 0 for a plain texture.
    uint32_t GetSurface();

private:
    std::unique_ptr<GLTexture> texture;
    // Declared after the texture: the framebuffer goes first.
    GLFramebuffer framebuffer;
    bool renderTarget = false;
    int width = 0;
    int height = 0;
};
