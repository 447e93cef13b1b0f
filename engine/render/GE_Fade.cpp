#include "engine/render/GE_Fade.h"

GE_Fade::GE_Fade(int durationFrames, bool fadeIn)
{
    if (durationFrames > 0) {
        counter = durationFrames;
        step = static_cast<int32_t>(255.0 / durationFrames);
    } else {
        // No frames to fade over: already at the end of the fade.
        counter = 0;
        step = 255;
    }
    if (fadeIn)
        step = -step;
}

bool GE_Fade::DrawSprite(
    ISprite* sprite, IGraphicalSurface*, int x, int y, int, int, float rotation, const Rect<int>* clip)
{
    return DrawSpriteWithColor(sprite, x, y, rotation, clip, GetColor());
}

void GE_Fade::Update()
{
    if (counter > 0)
        --counter;
}

std::unique_ptr<GraphicalEffect> GE_Fade::Clone() const
{
    return std::make_unique<GE_Fade>(*this);
}

uint32_t GE_Fade::GetAlpha() const
{
    int64_t alpha = int64_t(counter) * step;
    if (step < 1)
        alpha += 255;
    return uint32_t(alpha) & 0xFFu;
}

uint32_t GE_Fade::GetColor() const
{
    return (GetAlpha() << 24) | 0x00FFFFFFu;
}
