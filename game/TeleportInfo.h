#pragma once

#include "engine/serial/Point.h"

#include <string>

// One discovered teleporter: its name, its level file and its cell of the
// minimap grid.
struct TeleportInfo {
    std::string name;
    std::string levelFile;
    Point<int> cell;
};
