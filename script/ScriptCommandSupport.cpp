#include "script/ScriptCommandSupport.h"

#include "engine/serial/LineReaders.h"

#include "characters/Player.h"
#include "scene/Level.h"
#include "scene/SceneGameAccess.h"
#include "scene/SpacialInstance.h"
#include "script/Script.h"

#include <algorithm>
#include <limits>
#include <memory>

namespace ScriptCommandSupport {

Level* CurrentLevel()
{
    SceneGameAccess* game = GetSceneGameAccess();
    return game != nullptr ? game->GetCurrentLevel() : nullptr;
}

Level* TriggerLevel(const Script& script)
{
    return script.GetOwnerInstance() != nullptr ? script.GetOwnerInstance()->GetLevel() : nullptr;
}

bool IsLiveCharacter(const CharacterObject* character)
{
    SceneGameAccess* game = GetSceneGameAccess();
    if (game == nullptr || character == nullptr)
        return false;
    const SceneCharacter* wanted = character;
    if (game->GetPlayerCharacter() == wanted)
        return true;
    for (size_t i = 0; i < game->GetLiveCharacterCount(); ++i)
        if (game->GetLiveCharacter(i) == wanted)
            return true;
    return false;
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

double Real(const std::string& token)
{
    double value = 0.0;
    ParseNumberToken(token, std::numeric_limits<double>::lowest(), std::numeric_limits<double>::max(), value);
    return value;
}

int32_t Integer(const std::string& token)
{
    int64_t value = 0;
    ParseIntToken(token, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(), value);
    return static_cast<int32_t>(value);
}

} // namespace ScriptCommandSupport
