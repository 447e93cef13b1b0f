#include "zones/GameplayObject_Zone.h"

#include "characters/Player.h"
#include "engine/serial/TypeNames.h"
#include "scene/Sprite.h"
#include "zones/ZoneInstance.h"

#include <cmath>

namespace {

// More tiles than this (a huge zone over a tiny sprite) draw the sprite once.
constexpr long kMaxTiles = 4096;

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
    const float widthA = a.x1 - a.x0 + 1.0f;
    const float heightA = a.y0 - a.y1 + 1.0f;
    const float widthB = b.x1 - b.x0 + 1.0f;
    const float heightB = b.y0 - b.y1 + 1.0f;
    const float dx = (a.x0 + widthA * 0.5f) - (b.x0 + widthB * 0.5f);
    const float dy = (a.y1 + heightA * 0.5f) - (b.y1 + heightB * 0.5f);
    return std::fabs(dx) <= widthA * 0.5f + widthB * 0.5f && std::fabs(dy) <= heightA * 0.5f + heightB * 0.5f;
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
    const Point<int> zone = instance != nullptr ? instance->GetSize() : Point<int>();
    // Tiled over an empty extent (a size below 1), the zone shows nothing.
    if (instance != nullptr && step.x > 0 && step.y > 0 && (zone.x < 1 || zone.y < 1))
        return true;
    const long tiles = step.x > 0 && step.y > 0
        ? (static_cast<long>(zone.x) / step.x + 1) * (static_cast<long>(zone.y) / step.y + 1)
        : 0;
    if (instance == nullptr || tiles == 0 || tiles > kMaxTiles)
        return DrawSprite(target, x, y, 0, 0, angle, clipX, clipY, clipWidth, clipHeight);
    // The sprite repeated over the zone in steps of its own size, the copies
    // drawn with the type as one object of the zone's size (so a last column
    // or row is cut at the zone's edge), standing on the zone's lower edge as
    // the type's own picture would.
    const int entriesBefore = GetDrawEntryCount();
    for (int ty = 0; ty < zone.y; ty += step.y)
        for (int tx = 0; tx < zone.x; tx += step.x)
            if (tx != 0 || ty != 0) {
                AddSpriteInstance(sprite, tx, ty);
                AddGenericSpriteIndex(sprite, GetSpriteInstanceCount() - 1);
            }
    const Point<int> own = GetSize();
    const bool objectSpace = AreShapesInObjectSpace();
    SetSize(zone.x, zone.y, objectSpace);
    const bool drawn
        = DrawSprite(target, x, y + own.y - zone.y, 0, 0, angle, clipX, clipY, clipWidth, clipHeight);
    SetSize(own.x, own.y, objectSpace);
    for (int i = GetDrawEntryCount() - 1; i >= entriesBefore; --i)
        RemoveGenericSprite(i);
    return drawn;
}
