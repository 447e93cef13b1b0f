#pragma once

#include "engine/render/GraphicalEffect.h"

// Fades a sprite out (or in) over a number of frames by its alpha.
class GE_Fade : public GraphicalEffect {
public:
    // step = 255 / durationFrames truncated, negated for a fade-in. A duration
    // below 1 frame is 1 frame: the sprite is drawn at its start alpha once,
    // then at its final alpha.
    GE_Fade(int durationFrames, bool fadeIn);

    bool DrawSprite(ISprite* sprite, IGraphicalSurface* target, int x, int y, int p5, int p6, float rotation,
        const Rect<int>* clip) override;
    // One frame less, not below 0; the fade then stays at its final alpha.
    void Update() override;
    std::unique_ptr<GraphicalEffect> Clone() const override;

    // counter x step, plus 255 when the step is below 1: from about 255 down
    // to 0 for a fade-out, from about 0 up to 255 for a fade-in.
    uint32_t GetAlpha() const;
    // The alpha in the top byte, white below.
    uint32_t GetColor() const;
    int32_t GetCounter() const { return counter; }
    // Starts the fade again from that many frames before its end.
    void SetCounter(int32_t frames) { counter = frames; }
    int32_t GetStep() const { return step; }

private:
    int32_t counter = 0;
    int32_t step = 0;
};
