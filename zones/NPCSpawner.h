#pragma once

#include "engine/serial/Point.h"
#include "engine/serial/Rect.h"

#include <string>

class CharacterObject;
class ZoneInstance;

// What every spawner zone's spawn shares: the rectangles handed to the
// characters and the creation of a character through the game's factory.
namespace NPCSpawner {

// Built from the spawn position without the zone offset, y0 >= y1:
// R (x, y + h, x + w, y), Rc (x, y + h - 1, x + w, y),
// Rb (x - 23, y + h - 1, x + w + 14, y), Rm (x, y + h + 128, x + w, y).
struct Rects {
    Rect<int> R;
    Rect<int> Rc;
    Rect<int> Rb;
    Rect<int> Rm;
};
Rects MakeRects(int x, int y, Point<int> size);

// The spawn point: the zone offset plus the spawn position.
Point<float> SpawnPoint(const ZoneInstance& instance, int x, int y);

// Creates a character of `className` in the game's live-character list,
// named by the class; with `takeName` a placement with a name gives it that
// name. Null (and a debug message naming the placement) when the game has
// no such class.
CharacterObject* Create(const std::string& className, const ZoneInstance& instance, bool takeName);

// Says in the debug output that the placement brought no character.
void ReportNothingMade(const ZoneInstance& instance);

// A count from a level file: a negative one (a damaged file) counts as 0.
inline int Count(int stored)
{
    return stored < 0 ? 0 : stored;
}

} // namespace NPCSpawner
