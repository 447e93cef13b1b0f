#pragma once

#include <string>

#include "scene/GraphicalObject.h"

class SceneObjectInstance;

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
};
