#include "engine/render/GraphicalEffect.h"

void GraphicalEffect::Draw(IGraphicalRessource*, Point<int>, Point<int>, const SpriteSource&, float, uint32_t)
{
    // Placeholder until the device layer lands: the quad routine is not there
    // yet, so nothing is drawn.
}

bool GraphicalEffect::DrawSurface(IGraphicalSurface*, IGraphicalSurface*, int, int, int, int, float)
{
    return false;
}

bool GraphicalEffect::DrawSprite(ISprite*, IGraphicalSurface*, int, int, int, int, float, const Rect<int>*)
{
    return false;
}

std::unique_ptr<GraphicalEffect> GraphicalEffect::Clone() const
{
    return std::make_unique<GraphicalEffect>(*this);
}

bool GraphicalEffect::DrawSpriteWithColor(ISprite*, int, int, float, const Rect<int>*, uint32_t)
{
    // Placeholder until sprites and the device layer land: draws nothing.
    return true;
}
