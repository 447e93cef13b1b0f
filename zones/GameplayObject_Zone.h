#pragma once

#include "scene/GameplayObject.h"

#include <string>
#include <utility>

class DXGraphicalSurface;
class ZoneInstance;

// Stand-in for the base of all zones and points: only what placed instances
// call. A zone draws each of its placed instances from the instance's own
// data; the full class of the zones issue replaces this file.
class GameplayObject_Zone : public GameplayObject {
public:
    explicit GameplayObject_Zone(std::string name)
        : GameplayObject(std::move(name))
    {
    }

    // Draws the zone's graphic for one instance with its upper-left corner at
    // screen (x, y); nothing is drawn here.
    virtual bool RenderInstance(DXGraphicalSurface* /*target*/, ZoneInstance* /*instance*/, int /*x*/,
        int /*y*/, float /*scaleX*/, float /*scaleY*/, float /*angle*/, int /*clipX*/, int /*clipY*/,
        int /*clipWidth*/, int /*clipHeight*/)
    {
        return false;
    }
};
