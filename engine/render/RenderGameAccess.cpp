#include "engine/render/RenderGameAccess.h"

#include "engine/app/Installed.h"

RenderGameAccess* GetRenderGameAccess()
{
    return Installed<RenderGameAccess>::Get();
}

void SetRenderGameAccess(RenderGameAccess* access)
{
    Installed<RenderGameAccess>::Set(access);
}

RenderGameState GetRenderGameState()
{
    RenderGameAccess* access = GetRenderGameAccess();
    return access ? access->GetRenderState() : RenderGameState {};
}
