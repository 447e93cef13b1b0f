#include "engine/render/EffectList.h"

const std::vector<EffectListEntry>& GetEffectListEntries()
{
    static const std::vector<EffectListEntry> entries {
        {"BasicHLSL", "fx\\BasicHLSL.fx"},
        {"BasicPostEffect_Linear", "fx\\BasicPostEffect_LINEAR.fx"},
        {"BasicPostEffect_Point", "fx\\BasicPostEffect_POINT.fx"},
        {"fullFX_BasicBlur", "fx\\fullFX_BasicBlur.fx"},
        {"fullFX_FadeToColor", "fx\\fullFX_FadeToColor.fx"},
        {"fullFX_FadeToColorInv", "fx\\fullFX_FadeToColorInv.fx"},
        {"fullFX_FadeToColor_DarkFirst", "fx\\fullFX_FadeToColor_DarkFirst.fx"},
        {"fullFX_WaterEffect", "fx\\fullFX_WaterEffect.fx"},
        {"fullFX_FireEffect", "fx\\fullFX_FireEffect.fx"},
        {"Empty", "fx\\.fx"},
        {"ml_PlayerArmorIce_Use", "fx\\ml_PlayerArmorIce_Use.fx"},
        {"ml_NPC_Hit", "fx\\ml_NPC_Hit.fx"},
        {"ml_NPC_GhostFade", "fx\\ml_NPC_GhostFade.fx"},
        {"ml_NPC_GhostSkull", "fx\\ml_NPC_GhostSkull.fx"},
        {"fullFX_FadeAlphaLoop", "fx\\fullFX_FadeAlphaLoop.fx"},
        {"ml_NPC_ShockWave1", "fx\\ml_NPC_ShockWave1.fx"},
        {"ml_NPC_ShockWave2", "fx\\ml_NPC_ShockWave2.fx"},
        {"fullFX_MoBlur", "fx\\fullFX_MoBlur.fx"},
        {"fullFX_Bloom", "fx\\fullFX_Bloom.fx"},
        {"fullFX_Brightness", "fx\\fullFX_Brightness.fx"},
    };
    return entries;
}

void EffectList::Create()
{
    if (!effects.empty())
        return;
    for (const EffectListEntry& entry : GetEffectListEntries())
        effects.push_back(std::make_unique<ShaderRes>(entry.name, entry.file));
}
