#include "scene/LoadingScreen.h"

#include "engine/render/DXRenderEngine.h"
#include "scene/SceneGameAccess.h"

void RefreshLoadingScreen()
{
    auto* engine = dynamic_cast<DXRenderEngine*>(g_RenderEngine);
    if (engine == nullptr || engine->IsRecording())
        return;
    if (SceneGameAccess* game = GetSceneGameAccess())
        game->RenderLoadingFrame();
}
