#include "zones/ZoneRequests.h"

#include "zones/ZoneGameAccess.h"

namespace ZoneRequests {

void RequestLevelChange(const std::string& levelFile, const std::string& startPoint)
{
    if (ZoneGameAccess* game = GetZoneGameAccess())
        game->RequestLevelChange(levelFile, startPoint);
}

void ShowText(const std::string& eventName, const std::string& text, int ticks)
{
    if (ZoneGameAccess* game = GetZoneGameAccess())
        game->ShowText(eventName, text, ticks);
}

void IncrementGameScore()
{
    if (ZoneGameAccess* game = GetZoneGameAccess())
        game->IncrementGameScore();
}

bool SaveGameAt(float x, float y, int direction)
{
    ZoneGameAccess* game = GetZoneGameAccess();
    return game != nullptr && game->SaveGameAt(x, y, direction);
}

void OpenMap()
{
    if (ZoneGameAccess* game = GetZoneGameAccess())
        game->OpenMap();
}

} // namespace ZoneRequests
