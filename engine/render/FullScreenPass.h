#pragma once

#include "engine/serial/Rect.h"

#include <cstdint>
#include <memory>
#include <vector>

class DXRenderEngine;
class GraphicalEffect;
class ShaderEffect_PostProcess;

// The full-screen passes of the render thread. An effect pass reads the
// picture through a scratch copy (a texture cannot be read while it is drawn
// into) and draws the result back into the picture; after motion blur the
// result is kept in the second render texture, the previous picture the next
// blur mixes in. The final pass draws the picture into the window through the
// published effect, or through the final copy effect ("BasicPostEffect_Linear"
// or "_Point"), made on first use. Owns the scratch texture and the final
// effect; GL objects are freed only while a context is current.
class FullScreenPass {
public:
    explicit FullScreenPass(DXRenderEngine& engine);
    ~FullScreenPass();
    FullScreenPass(const FullScreenPass&) = delete;
    FullScreenPass& operator=(const FullScreenPass&) = delete;

    // The effect's pass over the picture; false (picture unchanged) when the
    // effect is not a full-screen effect with a loaded program.
    bool ApplyToPicture(GraphicalEffect* effect);
    // Draws the picture into the destination (window pixels, y down) of the
    // cleared window; false when no effect with a loaded program is at hand
    // (the caller then copies plainly).
    bool DrawToWindow(GraphicalEffect* published, bool linear, const Rect<int>& destination);

    // The final copy effect, made on first use; null before.
    ShaderEffect_PostProcess* GetFinalEffect() const { return finalEffect.get(); }

private:
    bool EnsureScratch();
    // Copies the picture's texels (g_BackBufferWidth x g_BackBufferHeight)
    // from one render texture to another.
    void CopyPicture(
        uint32_t fromTexture, uint32_t fromFramebuffer, uint32_t toTexture, uint32_t toFramebuffer);
    // Whether the motion blur would give the picture back unchanged: it
    // equals the last result of the blur, still in the second picture.
    bool BlurKeepsPicture();
    // The picture's pixels as the render texture holds them (RGBA, rows up).
    void ReadPictureBytes(std::vector<uint8_t>& bytes) const;

    DXRenderEngine& engine;

    uint32_t scratchTexture = 0;
    uint32_t scratchSurface = 0;
    // Whether the context copies texels directly: -1 until first asked.
    int copyImage = -1;
    // The blur's last result (as ReadPictureBytes reads it) and the second
    // picture it was copied into; empty and 0 before the first.
    std::vector<uint8_t> lastBlurResult;
    uint32_t lastBlurSource = 0;
    std::vector<uint8_t> pictureBytes;
    std::unique_ptr<ShaderEffect_PostProcess> finalEffect;
};

// A full-screen effect with a loaded program, or null.
ShaderEffect_PostProcess* AsLoadedPostEffect(GraphicalEffect* effect);
