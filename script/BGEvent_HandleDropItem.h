#pragma once

#include "engine/serial/Point.h"
#include "script/BackgroundEvent.h"

#include <string>

// Shows an item a dying character dropped: kind 0 life, 1 crossbow bolts, at
// a point of the level. Until the dropped-item events exist it only keeps
// what it was given and finishes at once.
class BGEvent_HandleDropItem : public BackgroundEvent {
public:
    BGEvent_HandleDropItem(std::string name, int kind, Point<int> position);

    bool Update() override;
    std::string GetTypeName() const override { return "BGEvent_HandleDropItem"; }

    int GetKind() const { return kind; }
    Point<int> GetPosition() const { return position; }

private:
    int kind;
    Point<int> position;
};
