#pragma once

#include "tools/world/LevelModel.h"

#include <functional>
#include <memory>
#include <string>

class GraphicalObject;
class Level;
class SceneObjectInstance;

// Turns a level model into the engine's own level: the layers in their lists
// with their scroll factors, drawing flags and auto-scroll speeds, every
// placed object as a placed instance of the library's prototype (with the
// instance data its zone or point type keeps, where the program has that
// type's class), and the start-up script. The level file is then written by
// the level itself (Level::SaveFile), so the game reads exactly what the
// engine writes.
class LevelBuilder {
public:
    // The library's scene object of a name, or null.
    using ObjectFinder = std::function<GraphicalObject*(const std::string&)>;

    explicit LevelBuilder(ObjectFinder findObject);

    // Throws WorldError "description:line: ..." when the library lacks an
    // object the model places, or an instance's data cannot be made.
    std::unique_ptr<Level> Build(const LevelModel& model) const;

    // The level file's text as Level::Serialize writes it.
    static std::string LevelText(Level& level);

private:
    ObjectFinder find;
};
