#include "scene/EventTick.h"

#include "scene/SceneGameAccess.h"

bool IsLogicTick()
{
    SceneGameAccess* game = GetSceneGameAccess();
    return game == nullptr || game->IsFixedStepTick();
}
