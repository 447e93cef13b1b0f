#pragma once

#include "game/Game.h"
#include "scene/AnimatedSprite.h"
#include "scene/GraphicalObject.h"
#include "scene/Level.h"
#include "scene/Sprite.h"

#include <memory>
#include <vector>

namespace fuzz {

// The game library a level file is read against: named sprites, an animated
// sprite and a graphical object that records may refer to. The seed writer
// and the record targets share it, so seeds name things that exist.
class FuzzWorld {
public:
    FuzzWorld();
    // The tables point at members the game does not own: emptied before the
    // game's destructor would delete them.
    ~FuzzWorld();
    FuzzWorld(const FuzzWorld&) = delete;
    FuzzWorld& operator=(const FuzzWorld&) = delete;

    Game game;
    Level level {"fuzz.lvl"};
    std::vector<std::unique_ptr<Sprite>> sprites;
    AnimatedSprite walk {"Walk"};
    GraphicalObject rock {"Rock"};
};

// Made on first use and kept for the run: readers keep pointers into it.
// It ends at exit before the program-wide tables its game registered in.
FuzzWorld& GetFuzzWorld();
// Ends the world (and its game) so that a program that goes on after the
// targets ran, as the test program does, finds no game left over; the next
// GetFuzzWorld makes a new one.
void ReleaseFuzzWorld();

} // namespace fuzz
