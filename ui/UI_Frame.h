#pragma once

#include "engine/serial/Point.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"

#include <string>
#include <utility>

// Base of the interface frames (dialogue box, HUD, menus): a graphical object
// with a screen position. The frame lists and their drawing are not written
// yet.
class UI_Frame : public GraphicalObject {
public:
    explicit UI_Frame(std::string name)
        : GraphicalObject(std::move(name))
    {
        typeName = TypeNames::UI_Frame;
    }

    Point<float> GetPosition() const { return position; }
    void SetPosition(Point<float> p) { position = p; }

private:
    Point<float> position;
};
