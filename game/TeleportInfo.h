#pragma once

#include "engine/serial/Point.h"

#include <string>
#include <utility>

// One discovered teleporter: its name, its level file and its cell of the
// minimap grid.
struct TeleportInfo {
    const std::string& GetName() const { return name; }
    const std::string& GetLevelFile() const { return levelFile; }
    Point<int> GetPosition() const { return cell; }
    void SetName(std::string value) { name = std::move(value); }
    void SetLevelFile(std::string value) { levelFile = std::move(value); }

    std::string name;
    std::string levelFile;
    Point<int> cell;
};
