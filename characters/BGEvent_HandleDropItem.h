#pragma once

#include "engine/serial/Point.h"
#include "scene/BackgroundEvent.h"

#include <string>

class GraphicalObject;
class Layer;
template <class T, class C> class SpacialInstance;

// An item on the level (kind 0 a life point, 1 a crossbow charge) that the
// player collects by touching it: a 32 x 32 sprite on the last foreground
// layer, out of reach for its first 16 ticks, drawn toward a player who
// attracts items once closer than 200 pixels. Taking it ends the event,
// which takes the sprite away.
class BGEvent_HandleDropItem : public BackgroundEvent {
public:
    // The item kinds.
    static constexpr int kLifePoint = 0;
    static constexpr int kCrossbowCharge = 1;

    using Instance = SpacialInstance<GraphicalObject, float>;

    BGEvent_HandleDropItem(std::string name, int kind, Point<int> position);
    ~BGEvent_HandleDropItem() override;

    void Run() override;
    std::string GetTypeName() const override { return "BGEvent_HandleDropItem"; }

    int GetKind() const { return kind; }
    Point<int> GetPosition() const { return position; }
    Instance* GetInstance() const { return instance; }
    int GetDelay() const { return params[2]; }

    // The move toward the player for an item whose centre is d away from the
    // player's centre: toward the player, up to 10 pixels a tick the closer
    // it is, nothing from 200 pixels on.
    static Point<float> AttractionStep(Point<float> d);

private:
    int kind;
    Point<int> position;
    Layer* layer = nullptr;
    Instance* instance = nullptr;
};
