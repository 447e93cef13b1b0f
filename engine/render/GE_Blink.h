#pragma once

#include "engine/render/GraphicalEffect.h"

// Hit blink: every second frame the sprite is drawn faint and red.
class GE_Blink : public GraphicalEffect {
public:
    GE_Blink() = default;

    bool DrawSprite(ISprite* sprite, IGraphicalSurface* target, int x, int y, int p5, int p6, float rotation,
        const Rect<int>* clip) override;
    // Alternates the frame 0, 1, 0, ...
    void Update() override;
    std::unique_ptr<GraphicalEffect> Clone() const override;

    // Frame 1: alpha 50, red 255, green 200, blue 200; frame 0: opaque white.
    uint32_t GetColor() const;
    int32_t GetFrame() const { return frame; }

private:
    int32_t frame = 0;
};
