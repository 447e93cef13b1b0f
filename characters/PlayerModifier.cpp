#include "characters/PlayerModifier.h"

#include "characters/PlayerArmor.h"
#include "characters/PlayerArmorHost.h"
#include "characters/PlayerTuning.h"

void PlayerModifier::SetEnabled(bool value)
{
    enabled = value;
    if (value)
        OnEnabled();
}

void PlayerArmorStraff::StartDash()
{
    cooldown = PlayerTuning::Current().straffDelay;
}

void PlayerArmorCrossbow::OnEnabled()
{
    if (host == nullptr)
        return;
    const int worn = host->GetArmorState().currentArmor;
    auto& modifiers = host->GetModifiers();
    if (worn < 0 || worn >= static_cast<int>(modifiers.size()))
        return;
    if (auto* armor = dynamic_cast<PlayerArmor*>(modifiers[static_cast<size_t>(worn)].get()))
        armor->ApplyAnimationSetC();
}
