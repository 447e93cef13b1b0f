#pragma once

#include "engine/render/GraphicalEffect.h"

// Shakes a sprite: its offset bounces between plus and minus the amplitude at
// 0.33 x velocity per frame, and the sprite is tinted while it shakes.
class GE_Shake : public GraphicalEffect {
public:
    // Every number 0; the owner then sets amplitude and velocity.
    GE_Shake() = default;

    bool DrawSprite(ISprite* sprite, IGraphicalSurface* target, int x, int y, int p5, int p6, float rotation,
        const Rect<int>* clip) override;
    void Update() override;
    std::unique_ptr<GraphicalEffect> Clone() const override;

    void SetAmplitude(float x, float y) { amplitude = {x, y}; }
    void SetVelocity(float x, float y) { velocity = {x, y}; }
    void SetNoTint(bool value) { noTint = value ? 1 : 0; }
    Point<float> GetOffset() const { return offset; }
    Point<float> GetAmplitude() const { return amplitude; }
    Point<float> GetVelocity() const { return velocity; }
    int32_t GetFrameCount() const { return frameCount; }

    // The offset added to the draw position, each axis truncated toward zero.
    Point<int> GetDrawOffset() const;
    // 0xFFFF00FF with green from 255 - 2 x amplitude y - 10 + offset y x 1.2;
    // opaque white with the no-tint flag.
    uint32_t GetColor() const;

private:
    int32_t frameCount = 0;
    uint8_t noTint = 0;
    Point<float> offset {0.0f, 0.0f};
    Point<float> amplitude {0.0f, 0.0f};
    Point<float> velocity {0.0f, 0.0f};
};
