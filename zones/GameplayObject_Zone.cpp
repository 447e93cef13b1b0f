#include "zones/GameplayObject_Zone.h"

#include "characters/ContactRect.h"
#include "characters/Player.h"
#include "engine/platform/DebugOutput.h"
#include "engine/serial/TypeNames.h"
#include "scene/Camera.h"
#include "scene/Sprite.h"
#include "zones/ZoneInstance.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

// The copies of a tiled zone along one axis that reach into the view:
// indices first to end - 1 of the copies at start + i * step, i from 0 while
// i * step < extent.
struct TileSpan {
    int64_t first = 0;
    int64_t end = 0;
    int64_t Count() const { return std::max<int64_t>(0, end - first); }
};

int64_t FloorDiv(int64_t a, int64_t b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// The copies that meet screen positions low to high - 1.
TileSpan VisibleTiles(int start, int extent, int step, int64_t low, int64_t high)
{
    TileSpan span;
    // A copy at p meets the span when p + step > low and p < high.
    span.first = std::max<int64_t>(0, FloorDiv(low - start - step, step) + 1);
    const int64_t inZone = (static_cast<int64_t>(std::max(extent, 0)) + step - 1) / step;
    const int64_t inView = FloorDiv(high - start - 1, step) + 1;
    span.end = std::min(inZone, inView);
    return span;
}

// The copies one draw of a zone adds: every `stride`-th column and row of
// the spans, the stride counted from the zone's corner so that the picture
// keeps still while the view moves.
struct TileCover {
    TileSpan columns;
    TileSpan rows;
    int64_t stride = 1;
    int64_t wanted = 0; // the copies over the view (and margin) at stride 1
};

TileCover CoverView(Point<int> corner, Point<int> zone, Point<int> step, int64_t bound)
{
    const int64_t w = Camera::kViewWidth;
    const int64_t h = Camera::kViewHeight;
    TileCover cover;
    // Half a view around the view first, for a shaken picture; the view
    // alone when that takes too many.
    cover.columns = VisibleTiles(corner.x, zone.x, step.x, -w / 2, w + w / 2);
    cover.rows = VisibleTiles(corner.y, zone.y, step.y, -h / 2, h + h / 2);
    cover.wanted = cover.columns.Count() * cover.rows.Count();
    if (cover.wanted <= bound)
        return cover;
    cover.columns = VisibleTiles(corner.x, zone.x, step.x, 0, w);
    cover.rows = VisibleTiles(corner.y, zone.y, step.y, 0, h);
    cover.wanted = cover.columns.Count() * cover.rows.Count();
    const auto thinned = [&](int64_t stride) {
        return ((cover.columns.Count() + stride - 1) / stride) * ((cover.rows.Count() + stride - 1) / stride);
    };
    while (thinned(cover.stride) > bound)
        ++cover.stride;
    cover.columns.first -= cover.columns.first % cover.stride;
    cover.rows.first -= cover.rows.first % cover.stride;
    return cover;
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
    // are added: the others would draw nothing. A sprite so small that the
    // view alone takes more than kMaxTileCopies copies is drawn thinned,
    // every few copies on each axis, so that one zone never costs more than
    // that many draws and its extent still shows over the whole view.
    const Point<int> zone = instance->GetSize();
    const Point<int> own = GetSize();
    const int top = y + own.y - zone.y;
    const TileCover cover = CoverView(Point<int>(x, top), zone, step, kMaxTileCopies);
    if (cover.stride > 1 && !thinnedSaid) {
        thinnedSaid = true;
        platform::DebugOutput("Zone type \"" + name + "\": its sprite \"" + sprite->GetName() + "\" ("
            + std::to_string(step.x) + " x " + std::to_string(step.y) + ") would take "
            + std::to_string(cover.wanted) + " copies to cover the view, more than "
            + std::to_string(kMaxTileCopies) + ": one copy in " + std::to_string(cover.stride)
            + " on each axis is drawn\n");
    }
    const int entriesBefore = GetDrawEntryCount();
    for (int64_t row = cover.rows.first; row < cover.rows.end; row += cover.stride)
        for (int64_t column = cover.columns.first; column < cover.columns.end; column += cover.stride)
            if (row != 0 || column != 0) {
                AddSpriteInstance(sprite, static_cast<int>(column * step.x), static_cast<int>(row * step.y));
                AddGenericSpriteIndex(sprite, GetSpriteInstanceCount() - 1);
            }
    const bool objectSpace = AreShapesInObjectSpace();
    SetSize(zone.x, zone.y, objectSpace);
    const bool drawn = DrawSprite(target, x, top, 0, 0, angle, clipX, clipY, clipWidth, clipHeight);
    SetSize(own.x, own.y, objectSpace);
    RemoveGenericSpritesFrom(entriesBefore);
    return drawn;
}
