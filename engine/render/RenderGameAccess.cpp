#include "engine/render/RenderGameAccess.h"

#include <atomic>

namespace {
// Stands for the process-wide game-object pointer: empty before the game
// object exists and during shut-down. Both threads read it.
std::atomic<RenderGameAccess*> g_renderGameAccess {nullptr};
} // namespace

RenderGameAccess* GetRenderGameAccess()
{
    return g_renderGameAccess.load();
}

void SetRenderGameAccess(RenderGameAccess* access)
{
    g_renderGameAccess.store(access);
}

RenderGameState GetRenderGameState()
{
    RenderGameAccess* access = GetRenderGameAccess();
    return access ? access->GetRenderState() : RenderGameState {};
}
