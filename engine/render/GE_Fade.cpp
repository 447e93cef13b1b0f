#include "engine/render/GE_Fade.h"

GE_Fade::GE_Fade(int durationFrames, bool fadeIn)
{
    // A fade needs at least one frame: a duration below 1 fades in one.
    if (durationFrames < 1)
        durationFrames = 1;
    counter = durationFrames;
    step = static_cast<int32_t>(255.0 / durationFrames);
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
