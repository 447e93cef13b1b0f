#pragma once

#include "engine/render/GraphicalEffect.h"

#include <cstdint>
#include <optional>

class IEffectProgram;
class ShaderRes;

// A sprite effect that draws through a GLSL effect. The draw sets the
// effect's parameters from the draw, the engine and the executing command,
// then draws the quad in the effect's pass; a shader without a loaded program
// draws the sprite plainly.
class ShaderEffect : public GraphicalEffect {
public:
    explicit ShaderEffect(ShaderRes* shader);

    void Draw(IGraphicalRessource* texture, Point<int> position, Point<int> spritePoint,
        const SpriteSource& source, float rotation, uint32_t colour) override;
    bool DrawSprite(ISprite* sprite, IGraphicalSurface* target, int x, int y, int p5, int p6, float rotation,
        const Rect<int>* clip) override;
    std::unique_ptr<GraphicalEffect> Clone() const override;

    ShaderRes* GetShader() const { return shader; }
    // The shader's program, or null when it has none.
    IEffectProgram* GetProgram() const;

protected:
    ShaderRes* shader = nullptr; // not owned
    // Set by a subclass for its next draw: the quad size (the source size
    // when empty) and the diffuse colour handed to the effect.
    std::optional<Point<int>> quadSize;
    std::optional<uint32_t> diffuseOverride;
};

// A second class with the same fields and behaviour, kept for debugging.
class DbgShaderEffect : public ShaderEffect {
public:
    using ShaderEffect::ShaderEffect;
    std::unique_ptr<GraphicalEffect> Clone() const override;
};

// Passes a zone centre ("g_mZoneCenter") to its effect.
class ShaderEffect_ArmorIce_Use : public ShaderEffect {
public:
    ShaderEffect_ArmorIce_Use(ShaderRes* shader, int x, int y);

    void Draw(IGraphicalRessource* texture, Point<int> position, Point<int> spritePoint,
        const SpriteSource& source, float rotation, uint32_t colour) override;
    std::unique_ptr<GraphicalEffect> Clone() const override;

    Point<int> GetZoneCenter() const { return zoneCenter; }

private:
    Point<int> zoneCenter;
};

// The diffuse colour words of the effects: (red, green, blue, alpha), each
// byte / 255.
struct EffectColour {
    float r, g, b, a;
};
EffectColour ArgbToEffectColour(uint32_t argb);
