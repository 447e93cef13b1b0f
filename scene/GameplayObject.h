#pragma once

#include <string>

#include "scene/GraphicalObject.h"

class DXGraphicalSurface;
class SceneObjectInstance;
class ZoneInstance;

// Base of every zone and point type: a graphical object in the "(game play)"
// category with the per-instance operations the level runs each frame.
class GameplayObject : public GraphicalObject {
public:
    explicit GameplayObject(std::string name);

    // The per-level data object of the matching instance type; none here.
    virtual SceneObjectInstance* CreateInstance();
    // First per-frame pass over each placed instance.
    virtual bool UpdateInstance(SpacialInstance<GraphicalObject, float>* instance);
    // Second per-frame pass (contact with the player).
    virtual bool UpdatePlayerContact(SpacialInstance<GraphicalObject, float>* instance);
    // When the level has started: a script trigger runs its start-up
    // section; nothing here.
    virtual void OnStartup(SpacialInstance<GraphicalObject, float>* /*instance*/) { }

    // Zone types draw their placements themselves (in debug mode): whether
    // this is one, and the drawing of one placement with its upper-left
    // corner at screen (x, y). Here: not a zone type, nothing drawn.
    virtual bool IsZoneType() const { return false; }
    virtual bool RenderInstance(DXGraphicalSurface* /*target*/, ZoneInstance* /*instance*/, int /*x*/,
        int /*y*/, float /*scaleX*/, float /*scaleY*/, float /*angle*/, int /*clipX*/, int /*clipY*/,
        int /*clipWidth*/, int /*clipHeight*/)
    {
        return false;
    }
};
