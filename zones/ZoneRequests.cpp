#include "zones/ZoneRequests.h"

#include "game/Game.h"
#include "scene/Level.h"
#include "script/BGEvent_ShowText.h"

namespace ZoneRequests {

void RequestLevelChange(const std::string& levelFile, const std::string& startPoint)
{
    Game* game = Game::GetInstance();
    if (game == nullptr)
        return;
    game->RequestLevelChange(levelFile, startPoint);
}

void ShowText(const std::string& eventName, const std::string& text, int ticks)
{
    Game* game = Game::GetInstance();
    Level* level = game != nullptr ? game->GetCurrentLevel() : nullptr;
    if (level == nullptr)
        return;
    // The level owns the event from here on.
    auto* event
        = static_cast<BGEvent_ShowText*>(level->AddBackgroundEvent(new BGEvent_ShowText(eventName, text)));
    if (event != nullptr)
        event->StartFor(ticks);
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
