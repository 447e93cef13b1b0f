#pragma once

#include "engine/serial/Point.h"
#include "engine/serial/Rect.h"
#include "zones/ZoneInstance.h"

#include <string>

class CharacterObject;

// The spawn every spawner zone shares. A spawner's `Spawn` lives beside the
// class it creates and describes its kind as data (`Kind`): the class, how the
// character is named and which of the zone's rectangles it receives. What is
// left of a kind (its own fields) is the `setup` it hands the shared step.
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

// Which of the rectangles above a kind hands its character.
enum class Area { R, Rc, Rb, Rm };
Rect<int> MakeArea(Area area, int x, int y, Point<int> size);

// How a spawned character is named.
enum class Naming {
    // The placement's name at creation when it has one, else the class name.
    Placement,
    // The placement's name once placed, also when it is "" (no name at all).
    AfterPlacing,
    // The placement's name once placed, when it has one.
    WhenNamed,
    // The class name, whatever the placement is called.
    ClassName,
};

// What sets one spawner kind apart from another.
template <class T> struct Kind {
    // The character class created through the game's factory.
    const char* className;
    Naming naming = Naming::Placement;
    // The member of T that receives the zone's rectangle `area`, if any.
    Rect<int> T::*areaMember = nullptr;
    Area area = Area::R;
};

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

// Creates the kind's character, tests its class, puts it at the spawn point,
// names it and hands it its rectangle. Null when the class is missing or the
// test fails (the latter said in the debug output).
template <class T> T* Place(const ZoneInstance& zone, int x, int y, const Kind<T>& kind)
{
    CharacterObject* created = Create(kind.className, zone, kind.naming == Naming::Placement);
    auto* character = dynamic_cast<T*>(created);
    if (character == nullptr) {
        if (created != nullptr)
            ReportNothingMade(zone);
        return nullptr;
    }
    character->SetPosition(SpawnPoint(zone, x, y));
    if (kind.naming == Naming::AfterPlacing || (kind.naming == Naming::WhenNamed && !zone.GetName().empty()))
        character->SetName(zone.GetName());
    if (kind.areaMember != nullptr)
        character->*kind.areaMember = MakeArea(kind.area, x, y, zone.GetSize());
    return character;
}

// A kind with nothing of its own to hand over.
struct NoSetup {
    template <class T> void operator()(T& /*character*/) const { }
};

// The shared spawn step: once per load (the placement's pending spawn),
// places one character of the kind and runs `setup` on it. Returns it, or
// null when nothing was made or the spawn had already run.
template <class T, class Setup = NoSetup>
T* Spawn(ZoneInstance& zone, int x, int y, const Kind<T>& kind, Setup&& setup = {})
{
    if (!zone.TakePendingSpawn())
        return nullptr;
    T* character = Place(zone, x, y, kind);
    if (character != nullptr)
        setup(*character);
    return character;
}

// The same for `count` characters at once (a negative count is 0); says in
// the debug output when none was made. Returns how many were.
template <class T, class Setup = NoSetup>
int SpawnEach(ZoneInstance& zone, int x, int y, const Kind<T>& kind, int count, Setup&& setup = {})
{
    if (!zone.TakePendingSpawn())
        return 0;
    int made = 0;
    for (int pass = 0; pass < Count(count); ++pass) {
        T* character = Place(zone, x, y, kind);
        if (character == nullptr)
            continue;
        setup(*character);
        ++made;
    }
    if (made == 0)
        ReportNothingMade(zone);
    return made;
}

} // namespace NPCSpawner
