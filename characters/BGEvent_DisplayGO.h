#pragma once

#include "engine/serial/Point.h"
#include "scene/BackgroundEvent.h"

#include <string>

class GraphicalObject;
class Layer;
class Level;
template <class T, class C> class SpacialInstance;

// Shows a copy of a graphical object on a layer of the current level for a
// number of logic ticks, or until its animation ends (count -1), and takes
// it away when the event goes. Layer selector -n picks the first layer of
// list n, n >= 0 the last one of list n. The event owns the graphical effect
// given to its instance and updates it every tick.
class BGEvent_DisplayGO : public BackgroundEvent {
public:
    using Instance = SpacialInstance<GraphicalObject, float>;

    // On the game's current level.
    BGEvent_DisplayGO(std::string name, int layerSelector, GraphicalObject* object, Point<float> position,
        int count, int placingMode);
    BGEvent_DisplayGO(std::string name, Level* level, int layerSelector, GraphicalObject* object,
        Point<float> position, int count, int placingMode);
    ~BGEvent_DisplayGO() override;

    void Run() override;
    std::string GetTypeName() const override { return "BGEvent_DisplayGO"; }

    Instance* GetInstance() const { return instance; }
    Layer* GetLayer() const { return layer; }
    int GetCount() const { return params[2]; }

private:
    Layer* layer = nullptr;
    Instance* instance = nullptr;
};
