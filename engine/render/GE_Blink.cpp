#include "engine/render/GE_Blink.h"

bool GE_Blink::DrawSprite(
    ISprite* sprite, IGraphicalSurface*, int x, int y, int, int, float rotation, const Rect<int>* clip)
{
    return DrawSpriteWithColor(sprite, x, y, rotation, clip, GetColor());
}

void GE_Blink::Update()
{
    frame = frame + 1 >= 2 ? 0 : frame + 1;
}

std::unique_ptr<GraphicalEffect> GE_Blink::Clone() const
{
    return std::make_unique<GE_Blink>(*this);
}

uint32_t GE_Blink::GetColor() const
{
    return frame == 1 ? 0x32FFC8C8u : 0xFFFFFFFFu;
}
