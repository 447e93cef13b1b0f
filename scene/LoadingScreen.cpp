#include "scene/LoadingScreen.h"

#include "engine/render/DXRenderEngine.h"
#include "game/Game.h"

void RefreshLoadingScreen()
{
    auto* engine = dynamic_cast<DXRenderEngine*>(g_RenderEngine);
    if (engine == nullptr || engine->IsRecording())
        return;
    if (Game* game = Game::GetInstance())
        game->Render(false);
}
