#include "engine/render/GraphicalEffect.h"

#include "engine/render/D3DDevice.h"
#include "engine/render/DXGraphicalRessource.h"
#include "engine/render/ISprite.h"

void GraphicalEffect::Draw(IGraphicalRessource* texture, Point<int> position, Point<int> spritePoint,
    const SpriteSource& source, float rotation, uint32_t colour)
{
    auto* resource = dynamic_cast<DXGraphicalRessource*>(texture);
    if (!resource || !resource->GetTexture())
        return;
    const uint32_t name = resource->GetTextureName();
    if (name == 0)
        return;
    const GLTexture* gl = resource->GetTexture();
    DrawTexturedQuad(float(position.x), float(position.y), gl->GetTextureWidth(), gl->GetTextureHeight(),
        spritePoint, rotation, source.left, source.top, source.width, source.height, colour, name);
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

bool GraphicalEffect::DrawSpriteWithColor(
    ISprite* sprite, int x, int y, float rotation, const Rect<int>* clip, uint32_t colour)
{
    // Only sprites with an image of their own draw; anything else draws nothing.
    const SpriteImage image = sprite ? sprite->GetSpriteImage() : SpriteImage {};
    if (!image.texture)
        return true;
    const SpriteSource source = MakeSpriteSource(image.rect, rotation, clip);
    if (g_InScene)
        Draw(image.texture, Point<int>(x, y), image.point, source, rotation, colour);
    return true;
}
