#include "engine/render/EffectGameAccess.h"

namespace {
// Stands for the process-wide game-object pointer: empty before the game
// object exists and during shut-down.
EffectGameAccess* g_effectGameAccess = nullptr;
} // namespace

EffectGameAccess* GetEffectGameAccess()
{
    return g_effectGameAccess;
}

void SetEffectGameAccess(EffectGameAccess* access)
{
    g_effectGameAccess = access;
}

Point<int> EffectCameraWorldPos()
{
    return g_effectGameAccess ? g_effectGameAccess->GetCameraWorldPos() : Point<int>(0, 0);
}

bool EffectFixedStepTick()
{
    return g_effectGameAccess ? g_effectGameAccess->GetFixedStepTick() : true;
}

bool EffectSecondStateFlag()
{
    return g_effectGameAccess ? g_effectGameAccess->GetSecondStateFlag() : false;
}

int32_t EffectFrameAdvance()
{
    return g_effectGameAccess ? g_effectGameAccess->GetFrameAdvance() : 1;
}

std::string EffectLevelName()
{
    return g_effectGameAccess ? g_effectGameAccess->GetLevelName() : std::string();
}
