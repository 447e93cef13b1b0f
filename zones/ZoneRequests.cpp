#include "zones/ZoneRequests.h"

#include "engine/platform/DebugOutput.h"
#include "game/Game.h"

namespace ZoneRequests {

void RequestLevelChange(const std::string& levelFile, const std::string& startPoint)
{
    Game* game = Game::GetInstance();
    if (game == nullptr)
        return;
    game->RequestLevelChange(levelFile, startPoint);
}

void ShowText(const std::string& eventName, const std::string& text, int /*ticks*/)
{
    // The level's text event is not part of the program yet: the text goes
    // to the debug output.
    platform::DebugOutput("Zone message " + eventName + ": " + text + "\n");
}

void IncrementGameScore()
{
    // The score belongs to the save data, which is not part of the program yet.
}

bool SaveGameAt(float /*x*/, float /*y*/, int /*direction*/)
{
    // No save data yet: nothing is written, and the save point says so.
    return false;
}

} // namespace ZoneRequests
