#pragma once

#include "engine/serial/Point.h"
#include "scene/SceneObjectInstance.h"

// Stand-in for the per-placement data of a zone until the zones issue: only
// the size, which a placed instance reports instead of its object's. The
// zone classes derive their `Instance` records from it.
class ZoneInstance : public SceneObjectInstance {
public:
    Point<int> GetSize() const { return size; }
    void SetSize(Point<int> s) { size = s; }

protected:
    ZoneInstance() = default;

    Point<int> size {32, 32};
};

// Per-placement data of a point (start points, minimap locations).
class PointInstance : public SceneObjectInstance {
protected:
    PointInstance() = default;
};
