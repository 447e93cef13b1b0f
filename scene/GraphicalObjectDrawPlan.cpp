#include "scene/GraphicalObjectDrawPlan.h"

#include <algorithm>

#include "scene/AnimatedSprite.h"
#include "scene/GraphicalObject.h"
#include "scene/SpacialInstance.h"
#include "scene/Sprite.h"

void GraphicalObjectDrawPlan::WrapPiece(Point<int>& position, Rect<int>& source, Point<int> offset, Point<int> wrap)
{
    if (wrap.x < 1 && wrap.x < -offset.x) {
        position.x -= offset.x;
        source.x0 = -(wrap.x + offset.x);
    } else {
        position.x += wrap.x;
        source.x1 -= wrap.x;
    }
    if (wrap.y < 1 && wrap.y < -offset.y) {
        position.y -= offset.y;
        source.y0 = -(wrap.y + offset.y);
    } else {
        position.y += wrap.y;
        source.y1 -= wrap.y;
    }
}

bool GraphicalObjectDrawPlan::Build(
    GraphicalObject* object, int x, int y, Point<int> origin, Point<int> clipSize, std::vector<Piece>& pieces)
{
    if (object == nullptr)
        return true;
    const Point<int> size = object->GetSize();
    const std::vector<GraphicalObject::GenericSpriteIndex>& entries = object->GetDrawEntries();
    for (size_t i = 0; i < entries.size(); ++i) {
        const GraphicalObject::GenericSpriteIndex& entry = entries[i];
        Piece piece;
        piece.entry = static_cast<int>(i);
        Point<int> offset;
        Point<float> wrapOffset;
        if (entry.type == 0) {
            GraphicalObject::SpriteInstance* instance = object->GetSpriteInstance(entry.index);
            if (instance == nullptr)
                return false;
            piece.sprite = instance->GetPrototype();
            piece.rotation = instance->GetAngle();
            piece.mirrored = instance->IsMirrored();
            offset = instance->GetPosition() - origin;
            wrapOffset = instance->GetWrapOffset();
        } else if (entry.type == 1) {
            GraphicalObject::AnimatedInstance* instance = object->GetAnimatedInstance(entry.index);
            if (instance == nullptr)
                return false;
            piece.sprite = instance->GetCurrentFrameSprite();
            piece.rotation = instance->GetAngle() + instance->GetCurrentFrameRotation();
            piece.mirrored = instance->IsMirrored();
            offset = instance->GetPosition() - origin;
            wrapOffset = instance->GetWrapOffset();
        } else {
            return false;
        }

        // A sprite reaching out of the object on the left or at the top is
        // cut at the object's edge, unless it is rotated.
        Point<int> position(x + offset.x, y + offset.y);
        Point<int> cut;
        if (offset.x < 0 && piece.rotation == 0.0f) {
            cut.x = -offset.x;
            position.x -= offset.x;
        }
        if (offset.y < 0 && piece.rotation == 0.0f) {
            cut.y = -offset.y;
            position.y -= offset.y;
        }
        Rect<int> source(cut.x, cut.y, size.x - offset.x, size.y - offset.y);
        if (clipSize.x != 0 && clipSize.y != 0) {
            source.y1 = std::min(source.y1, clipSize.y + cut.y);
            source.x1 = std::min(source.x1, clipSize.x + cut.x);
        }

        Point<int> wrap = wrapOffset.ToInt();
        if (wrap.x * wrap.x + wrap.y * wrap.y == 0) {
            piece.position = position;
            piece.source = source;
            pieces.push_back(piece);
            continue;
        }
        // A wrapping sprite: at most three pieces, (W.x, W.y), then W.x moved
        // by one object width, then W.y moved by one height as well.
        auto addPiece = [&](Point<int> w) {
            Piece part = piece;
            part.position = position;
            part.source = source;
            WrapPiece(part.position, part.source, offset, w);
            pieces.push_back(part);
        };
        addPiece(wrap);
        if (wrap.x != 0) {
            wrap.x = wrap.x >= 0 ? wrap.x - size.x : wrap.x + size.x;
            addPiece(wrap);
        }
        if (wrap.y != 0) {
            wrap.y = wrap.y >= 0 ? wrap.y - size.y : wrap.y + size.y;
            addPiece(wrap);
        }
    }
    return true;
}
