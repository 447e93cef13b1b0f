#include "characters/PlayerArmorControl.h"

#include "characters/PlayerArmorFire.h"
#include "characters/PlayerArmorHost.h"
#include "characters/PlayerArmorIce.h"
#include "characters/PlayerModifier.h"

namespace {

PlayerModifier* ModifierAt(PlayerArmorHost& player, int index)
{
    auto& modifiers = player.GetModifiers();
    if (index < 0 || index >= static_cast<int>(modifiers.size()))
        return nullptr;
    return modifiers[static_cast<size_t>(index)].get();
}

} // namespace

std::vector<std::unique_ptr<PlayerModifier>> PlayerArmorControl::CreateModifiers(PlayerArmorHost* player)
{
    std::vector<std::unique_ptr<PlayerModifier>> modifiers;
    modifiers.push_back(std::make_unique<PlayerArmorFire>(player));
    modifiers.push_back(std::make_unique<PlayerArmorIce>(player));
    modifiers.push_back(std::make_unique<PlayerArmorDoubleJump>(player));
    modifiers.push_back(std::make_unique<PlayerArmorClimb>(player));
    modifiers.push_back(std::make_unique<PlayerArmorSpider>(player));
    modifiers.push_back(std::make_unique<PlayerArmorCrossbow>(player));
    modifiers.push_back(std::make_unique<PlayerArmorStraff>(player));
    return modifiers;
}

PlayerArmorFire* PlayerArmorControl::GetFireArmor(PlayerArmorHost& player)
{
    return dynamic_cast<PlayerArmorFire*>(ModifierAt(player, 0));
}

PlayerArmorIce* PlayerArmorControl::GetIceArmor(PlayerArmorHost& player)
{
    return dynamic_cast<PlayerArmorIce*>(ModifierAt(player, 1));
}

PlayerArmorCrossbow* PlayerArmorControl::GetCrossbow(PlayerArmorHost& player)
{
    return dynamic_cast<PlayerArmorCrossbow*>(ModifierAt(player, 5));
}

void PlayerArmorControl::EnableModifier(PlayerArmorHost& player, int index)
{
    if (PlayerModifier* modifier = ModifierAt(player, index))
        modifier->SetEnabled(true);
}

void PlayerArmorControl::SwitchArmor(PlayerArmorHost& player, int previous, bool silent)
{
    PlayerArmorState& state = player.GetArmorState();
    state.armorChanged = true;
    if (previous != -1) {
        if (PlayerModifier* old = ModifierAt(player, previous))
            old->OnDeselected();
    }
    if (PlayerModifier* worn = ModifierAt(player, state.currentArmor))
        worn->OnSelected(silent);
}

void PlayerArmorControl::UpdateArmors(PlayerArmorHost& player, bool fireAction, bool iceAction)
{
    if (player.GetLife() < 1)
        return;
    PlayerArmorState& state = player.GetArmorState();
    if (player.GetModifiers().size() >= 2) {
        const int previous = state.currentArmor;
        bool pressed = false;
        if (state.armorKeyDelay > 0) {
            --state.armorKeyDelay;
        } else if (state.armorCharges > 0) {
            const bool spider = player.IsInSpiderForm();
            PlayerModifier* fire = ModifierAt(player, 0);
            PlayerModifier* ice = ModifierAt(player, 1);
            if (fireAction && fire != nullptr && fire->IsEnabled() && fire->CanUse() && !spider) {
                state.currentArmor = 0;
                pressed = true;
            }
            if (iceAction && ice != nullptr && ice->IsEnabled() && ice->CanUse() && !spider) {
                state.currentArmor = 1;
                pressed = true;
            }
            if (pressed)
                state.armorKeyDelay = kKeyDelay;
        }
        if (state.currentArmor != previous)
            SwitchArmor(player, previous, false);

        if (state.armorCharges < state.armorChargesMax) {
            ++state.armorRechargeCounter;
            if (state.armorRechargeCounter >= state.armorRechargePeriod) {
                ++state.armorCharges;
                state.armorRechargeCounter = 0;
                if (player.IsArmorDisplayShown())
                    player.PlayPlayerSound(kSoundArmorAvailable);
            }
        }

        if (state.currentArmor == previous && pressed) {
            if (PlayerModifier* worn = ModifierAt(player, state.currentArmor))
                worn->Use();
        }
        if (state.currentArmor != -1) {
            if (PlayerModifier* worn = ModifierAt(player, state.currentArmor))
                worn->Update();
        }
    }
    if (player.GetModifiers().size() > 6) {
        if (PlayerModifier* strafe = ModifierAt(player, 6))
            strafe->Update();
    }
}
