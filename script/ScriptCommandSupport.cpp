#include "script/ScriptCommandSupport.h"

#include "characters/Player.h"
#include "game/Game.h"
#include "scene/Level.h"
#include "scene/SpacialInstance.h"
#include "script/Script.h"

#include <algorithm>
#include <memory>

namespace ScriptCommandSupport {

Level* CurrentLevel()
{
    Game* game = Game::GetInstance();
    return game != nullptr ? game->GetCurrentLevel() : nullptr;
}

Level* TriggerLevel(const Script& script)
{
    return script.GetOwnerInstance() != nullptr ? script.GetOwnerInstance()->GetLevel() : nullptr;
}

bool IsLiveCharacter(const CharacterObject* character)
{
    Game* game = Game::GetInstance();
    if (game == nullptr || character == nullptr)
        return false;
    if (static_cast<const CharacterObject*>(game->GetPlayer()) == character)
        return true;
    return std::find(game->liveCharacters.begin(), game->liveCharacters.end(), character)
        != game->liveCharacters.end();
}

BackgroundEvent* QueueEvent(Script& script, BackgroundEvent* event, bool tracked)
{
    std::unique_ptr<BackgroundEvent> owned(event);
    Level* level = CurrentLevel();
    if (level == nullptr || event == nullptr)
        return nullptr;
    level->AddBackgroundEvent(owned.release());
    if (tracked)
        script.TrackEvent(event);
    return event;
}

} // namespace ScriptCommandSupport
