#include "scene/SceneGameAccess.h"

#include "engine/app/Installed.h"

SceneGameAccess* GetSceneGameAccess()
{
    return Installed<SceneGameAccess>::Get();
}

void SetSceneGameAccess(SceneGameAccess* access)
{
    Installed<SceneGameAccess>::Set(access);
}
