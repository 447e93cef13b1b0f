#include "zones/NPCSpawner.h"

#include "characters/CharacterObject.h"
#include "engine/platform/DebugOutput.h"
#include "zones/ZoneGameAccess.h"
#include "zones/ZoneInstance.h"

namespace NPCSpawner {

Rects MakeRects(int x, int y, Point<int> size)
{
    const int w = size.x;
    const int h = size.y;
    return Rects {Rect<int>(x, y + h, x + w, y), Rect<int>(x, y + h - 1, x + w, y),
        Rect<int>(x - 23, y + h - 1, x + w + 14, y), Rect<int>(x, y + h + 128, x + w, y)};
}

Rect<int> MakeArea(Area area, int x, int y, Point<int> size)
{
    const Rects rects = MakeRects(x, y, size);
    switch (area) {
    case Area::Rc:
        return rects.Rc;
    case Area::Rb:
        return rects.Rb;
    case Area::Rm:
        return rects.Rm;
    case Area::R:
        break;
    }
    return rects.R;
}

Point<float> SpawnPoint(const ZoneInstance& instance, int x, int y)
{
    const Point<int> offset = instance.GetOffset();
    return Point<float>(static_cast<float>(offset.x), static_cast<float>(offset.y))
        + Point<float>(static_cast<float>(x), static_cast<float>(y));
}

CharacterObject* Create(const std::string& className, const ZoneInstance& instance, bool takeName)
{
    ZoneGameAccess* game = GetZoneGameAccess();
    CharacterObject* character
        = game != nullptr ? game->CreateCharacterByClass(className, className) : nullptr;
    if (character == nullptr) {
        platform::DebugOutput(
            "Spawner \"" + instance.GetName() + "\": no character of class " + className + "\n");
        return nullptr;
    }
    if (takeName && !instance.GetName().empty())
        character->SetName(instance.GetName());
    return character;
}

void ReportNothingMade(const ZoneInstance& instance)
{
    platform::DebugOutput("Spawner \"" + instance.GetName() + "\": no character made\n");
}

} // namespace NPCSpawner
