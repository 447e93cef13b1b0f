#include "zones/ZoneRequests.h"

#include "engine/sound/SoundEventsManager.h"
#include "game/Game.h"
#include "scene/GraphicalObject.h"
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
    if (Game* game = Game::GetInstance())
        game->IncrementGameScore(game->saveData);
}

bool SaveGameAt(float x, float y, int direction)
{
    Game* game = Game::GetInstance();
    return game != nullptr && game->SaveGameAt(x, y, direction);
}

void OpenMap()
{
    Game* game = Game::GetInstance();
    if (game == nullptr)
        return;
    game->OpenOverlayScreen();
    game->overlaySource = 0;
    game->teleportMap.mapMode = 0;
    // The overlay holds the game like the menu does, but the sounds go on.
    game->menuFlag = true;
    if (SoundEventsManager* sounds = game->GetSoundEventsManager())
        sounds->ResumeAll();
}

void ShowPickupPicture(const std::string& objectName, int x, int y)
{
    // The pickup cut-scene's kinds: none, and a picture shown at a place.
    constexpr int kNoPickupCinematic = 0;
    constexpr int kPickupPictureAt = 4;
    Game* game = Game::GetInstance();
    if (game == nullptr || game->pickupCinematicKind != kNoPickupCinematic)
        return;
    GraphicalObject* picture = game->FindGraphicalObject(objectName, false);
    if (picture == nullptr)
        return;
    picture->RestartAnimations(true);
    game->pickupCinematicKind = kPickupPictureAt;
    game->cinematicObject = picture;
    game->cinematicPosition = Point<int>(x, y);
    game->cinematicCounter = 0;
}

} // namespace ZoneRequests
