#pragma once

#include "engine/serial/Rect.h"
#include "scene/GameplayObject.h"
#include "scene/SpacialInstance.h"

#include <cstdint>
#include <string>
#include <utility>

class DXGraphicalSurface;
class Player;
class ZoneInstance;

// The two rectangles of the zone contact test, y up, bounds inclusive: a zone
// covers x to x + w - 1 and y to y + h - 1.
Rect<float> ZoneRect(Point<float> position, Point<int> size);
Rect<float> PlayerRect(const Player& player);
// The contact test: on each axis the distance between the centres is at most
// the sum of the half extents, an extent being x1 - x0 + 1 (y0 - y1 + 1). So
// a player whose last column is just left of the zone already touches it.
bool ZoneTouches(const Rect<float>& a, const Rect<float>& b);
// Whether the game's player touches the zone placed by `placed` (false
// without a player or when the payload is not a zone).
bool PlayerTouchesZone(SpacialInstance<GraphicalObject, float>* placed);

// Base of every zone type: a gameplay object whose placed instances carry a
// ZoneInstance. Its contact rule notices the player entering and leaving each
// placement and fires the four event operations, which do nothing here.
class GameplayObject_Zone : public GameplayObject {
public:
    using Placed = SpacialInstance<GraphicalObject, float>;

    explicit GameplayObject_Zone(std::string name);

    static std::string VersionedClassName() { return std::string("GameplayObject_Zone") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }

    // The contact rule: first entry since the level was loaded fires
    // OnEnterOnce then OnEnter, the first exit OnLeaveOnce then OnLeave, and
    // later entries and exits only OnEnter or OnLeave. Returns true.
    bool UpdatePlayerContact(Placed* placed) override;

    // The most copies of its sprite that one draw of a zone adds: a sprite
    // of 8 px covers the view and its margin with fewer (at most 14,577), one
    // of 4 px the view alone (at most 14,577); a smaller one is drawn thinned
    // (RenderInstance).
    static constexpr int64_t kMaxTileCopies = 16384;

    // Draws the zone for one placement with its upper-left corner at screen
    // (x, y), wherever its layer draws its placed instances: a zone type
    // drawn with one sprite tiles it over the zone; any other is drawn as it
    // is.
    bool IsZoneType() const override { return true; }
    bool RenderInstance(DXGraphicalSurface* target, ZoneInstance* instance, int x, int y, float scaleX,
        float scaleY, float angle, int clipX, int clipY, int clipWidth, int clipHeight) override;
    virtual void OnEnter(Placed* /*placed*/) { }
    virtual void OnEnterOnce(Placed* /*placed*/) { }
    virtual void OnLeaveOnce(Placed* /*placed*/) { }
    virtual void OnLeave(Placed* /*placed*/) { }

private:
    // The thinned drawing of a sprite too small to tile has been said.
    bool thinnedSaid = false;
};
