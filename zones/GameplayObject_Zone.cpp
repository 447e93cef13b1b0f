#include "zones/GameplayObject_Zone.h"

#include "characters/ContactRect.h"
#include "characters/Player.h"
#include "engine/serial/TypeNames.h"
#include "scene/Camera.h"
#include "scene/Sprite.h"
#include "zones/ZoneInstance.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// The copies of a tiled zone along one axis that reach into the view:
// indices first to end - 1 of the copies at start + i * step, i from 0 while
// i * step < extent.
struct TileSpan {
    int64_t first = 0;
    int64_t end = 0;
};

int64_t FloorDiv(int64_t a, int64_t b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

TileSpan VisibleTiles(int start, int extent, int step, int view)
{
    const int64_t low = -static_cast<int64_t>(view) / 2;
    const int64_t high = static_cast<int64_t>(view) + view / 2;
    TileSpan span;
    // A copy at p meets the view when p + step > low and p < high.
    span.first = std::max<int64_t>(0, FloorDiv(low - start - step, step) + 1);
    const int64_t inZone = (static_cast<int64_t>(std::max(extent, 0)) + step - 1) / step;
    const int64_t inView = FloorDiv(high - start - 1, step) + 1;
    span.end = std::min(inZone, inView);
    return span;
}

} // namespace

Rect<float> ZoneRect(Point<float> position, Point<int> size)
{
    return Rect<float>(position.x, position.y + static_cast<float>(size.y) - 1.0f,
        position.x + static_cast<float>(size.x) - 1.0f, position.y);
}

Rect<float> PlayerRect(const Player& player)
{
    return ZoneRect(player.GetPosition(), player.GetSize());
}

bool ZoneTouches(const Rect<float>& a, const Rect<float>& b)
{
    return ContactRectsTouch(a, b);
}

bool PlayerTouchesZone(SpacialInstance<GraphicalObject, float>* placed)
{
    Player* player = GetGamePlayer();
    if (player == nullptr || placed == nullptr)
        return false;
    auto* zone = dynamic_cast<ZoneInstance*>(placed->GetPayload());
    if (zone == nullptr)
        return false;
    return ZoneTouches(ZoneRect(placed->GetPosition(), zone->GetSize()), PlayerRect(*player));
}

GameplayObject_Zone::GameplayObject_Zone(std::string name_)
    : GameplayObject(std::move(name_))
{
    typeName = TypeNames::GameplayObject_Zone;
}

bool GameplayObject_Zone::UpdatePlayerContact(Placed* placed)
{
    auto* zone = placed != nullptr ? dynamic_cast<ZoneInstance*>(placed->GetPayload()) : nullptr;
    if (zone == nullptr)
        return true;
    if (PlayerTouchesZone(placed)) {
        if (zone->inside)
            return true;
        zone->inside = true;
        if (!zone->leftOnce)
            OnEnterOnce(placed);
        OnEnter(placed);
    } else if (zone->inside) {
        zone->inside = false;
        if (!zone->leftOnce) {
            zone->leftOnce = true;
            OnLeaveOnce(placed);
        }
        OnLeave(placed);
    }
    return true;
}

bool GameplayObject_Zone::RenderInstance(DXGraphicalSurface* target, ZoneInstance* instance, int x, int y,
    float /*scaleX*/, float /*scaleY*/, float angle, int clipX, int clipY, int clipWidth, int clipHeight)
{
    SpriteInstance* only
        = GetSpriteInstanceCount() == 1 && GetAnimatedInstanceCount() == 0 ? GetSpriteInstance(0) : nullptr;
    Sprite* sprite = only != nullptr ? only->GetPrototype() : nullptr;
    const Point<int> step = sprite != nullptr ? sprite->GetSize() : Point<int>();
    // A sprite of no size would tile without end: drawn as it is.
    if (instance == nullptr || sprite == nullptr || step.x < 1 || step.y < 1)
        return DrawSprite(target, x, y, 0, 0, angle, clipX, clipY, clipWidth, clipHeight);
    // The sprite repeated over the zone in steps of its own size, the copies
    // drawn with the type as one object of the zone's size (so a last column
    // or row is cut at the zone's edge), standing on the zone's lower edge as
    // the type's own picture would. The copy at (0, 0) is the sprite itself;
    // a zone of no size shows it once, at that size. Only the copies that
    // reach into the view (with half a view around it for a shaken picture)
    // are added: the others would draw nothing.
    const Point<int> zone = instance->GetSize();
    const Point<int> own = GetSize();
    const int top = y + own.y - zone.y;
    const TileSpan columns = VisibleTiles(x, zone.x, step.x, Camera::kViewWidth);
    const TileSpan rows = VisibleTiles(top, zone.y, step.y, Camera::kViewHeight);
    const int entriesBefore = GetDrawEntryCount();
    for (int64_t row = rows.first; row < rows.end; ++row)
        for (int64_t column = columns.first; column < columns.end; ++column)
            if (row != 0 || column != 0) {
                AddSpriteInstance(sprite, static_cast<int>(column * step.x), static_cast<int>(row * step.y));
                AddGenericSpriteIndex(sprite, GetSpriteInstanceCount() - 1);
            }
    const bool objectSpace = AreShapesInObjectSpace();
    SetSize(zone.x, zone.y, objectSpace);
    const bool drawn = DrawSprite(target, x, top, 0, 0, angle, clipX, clipY, clipWidth, clipHeight);
    SetSize(own.x, own.y, objectSpace);
    for (int i = GetDrawEntryCount() - 1; i >= entriesBefore; --i)
        RemoveGenericSprite(i);
    return drawn;
}
