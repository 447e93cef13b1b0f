#include "engine/render/IRenderEngine.h"

#include "engine/render/GraphicalEffect.h"

#include <algorithm>

IRenderEngine* g_RenderEngine = nullptr;

// The current effect belongs to whoever made it current (a placed instance,
// a character, a named command); deleting it here would free it a second time
// when its owner goes.
IRenderEngine::~IRenderEngine() = default;

GraphicalEffect* IRenderEngine::SetEffect(GraphicalEffect* effect)
{
    currentEffect = effect;
    return currentEffect;
}

GraphicalEffect* IRenderEngine::SaveEffect()
{
    savedEffect = currentEffect;
    return savedEffect;
}

GraphicalEffect* IRenderEngine::RestoreEffect()
{
    currentEffect = savedEffect;
    return currentEffect;
}

DrawEntryPlacement PlaceDrawEntry(Point<int> objectPosition, Point<int> instanceOffset, Point<int> origin,
    float rotation, Point<int> objectSize, Point<int> clipSize)
{
    DrawEntryPlacement placement;
    const Point<int> d = instanceOffset - origin;
    Point<int> p = objectPosition + d;
    int cx = 0;
    int cy = 0;
    // A part sticking out left or above starts at the object's edge, cut;
    // a rotated sprite cannot be cut that way and is drawn whole.
    if (d.x < 0 && rotation == 0.0f) {
        cx = -d.x;
        p.x -= d.x;
    }
    if (d.y < 0 && rotation == 0.0f) {
        cy = -d.y;
        p.y -= d.y;
    }
    Rect<int> source(cx, cy, objectSize.x - d.x, objectSize.y - d.y);
    if (clipSize.x != 0 && clipSize.y != 0) {
        source.y1 = std::min(source.y1, clipSize.y + cy);
        source.x1 = std::min(source.x1, clipSize.x + cx);
    }
    placement.position = p;
    placement.source = source;
    placement.offset = d;
    return placement;
}

std::vector<Point<int>> WrapPieces(Point<int> wrap, Point<int> size)
{
    std::vector<Point<int>> pieces;
    // Compared, not squared: a wrap of a few ten thousand pixels would
    // overflow the squares.
    if (wrap.x == 0 && wrap.y == 0)
        return pieces;
    pieces.push_back(wrap);
    if (wrap.x != 0) {
        wrap.x = wrap.x >= 0 ? SaturatingSub(wrap.x, size.x) : SaturatingAdd(wrap.x, size.x);
        pieces.push_back(wrap);
    }
    if (wrap.y != 0) {
        wrap.y = wrap.y >= 0 ? SaturatingSub(wrap.y, size.y) : SaturatingAdd(wrap.y, size.y);
        pieces.push_back(wrap);
    }
    return pieces;
}

void PlaceWrapPiece(Rect<int>& source, Point<int>& position, int offsetX, int offsetY, Point<int> wrap)
{
    if (wrap.x < 1 && wrap.x < -offsetX) {
        position.x -= offsetX;
        source.x0 = -(wrap.x + offsetX);
    } else {
        position.x += wrap.x;
        source.x1 -= wrap.x;
    }
    if (wrap.y < 1 && wrap.y < -offsetY) {
        position.y -= offsetY;
        source.y0 = -(wrap.y + offsetY);
    } else {
        position.y += wrap.y;
        source.y1 -= wrap.y;
    }
}

bool IRenderEngine::DrawSpriteInstance(ISprite* sprite, IGraphicalSurface* target, int p5, int p6,
    float rotation, Rect<int>* source, Point<int>* position, int offsetX, int offsetY, const Point<int>* wrap,
    const Point<int>* /*frameSize*/)
{
    if (!source || !position || !wrap)
        return DrawSprite(sprite, target, position ? position->x : 0, position ? position->y : 0, p5, p6,
            rotation, source, false);
    Rect<int> pieceSource = *source;
    Point<int> piecePosition = *position;
    PlaceWrapPiece(pieceSource, piecePosition, offsetX, offsetY, *wrap);
    return DrawSprite(
        sprite, target, piecePosition.x, piecePosition.y, p5, p6, rotation, &pieceSource, false);
}

bool IRenderEngine::DrawGraphicalObject(const std::vector<ObjectDrawEntry>& entries, Point<int> objectSize,
    IGraphicalSurface* target, int x, int y, int p5, int p6, float /*rotation*/, Point<int> origin,
    Point<int> clipSize)
{
    return DrawObjectEntries(entries, objectSize, target, x, y, p5, p6, origin, clipSize, false);
}

bool IRenderEngine::DrawObjectEntries(const std::vector<ObjectDrawEntry>& entries, Point<int> objectSize,
    IGraphicalSurface* target, int x, int y, int p5, int p6, Point<int> origin, Point<int> clipSize,
    bool copyMirror)
{
    bool result = true;
    const Point<int> size = objectSize;
    for (const ObjectDrawEntry& entry : entries) {
        if (entry.missing)
            return false;
        // Once a draw has failed the remaining entries draw nothing.
        if (!result)
            continue;
        const float rotation = entry.rotation;
        const DrawEntryPlacement placement
            = PlaceDrawEntry(Point<int>(x, y), entry.offset, origin, rotation, size, clipSize);
        Rect<int> source = placement.source;
        Point<int> position = placement.position;
        const Point<int> wrap = entry.wrapOffset.ToInt();
        if (copyMirror)
            mirrorFlag = entry.mirrored;
        ISprite* sprite = entry.sprite;
        const std::vector<Point<int>> pieces = WrapPieces(wrap, size);
        if (pieces.empty()) {
            result = DrawSprite(sprite, target, position.x, position.y, p5, p6, rotation, &source, false);
        } else {
            for (const Point<int>& piece : pieces) {
                if (!DrawSpriteInstance(sprite, target, p5, p6, rotation, &source, &position,
                        placement.offset.x, placement.offset.y, &piece, &size)) {
                    result = false;
                    break;
                }
            }
        }
        if (copyMirror)
            mirrorFlag = false;
    }
    return result;
}
