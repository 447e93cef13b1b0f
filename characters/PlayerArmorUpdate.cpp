#include "characters/Player.h"
#include "characters/PlayerModifier.h"

#include <algorithm>

void Player::UpdateArmors(const InputActions& pressed)
{
    if (life < 1)
        return;
    if (modifiers.size() >= 2) {
        const int previous = currentArmor;
        bool pressedMark = false;
        if (armorKeyDelay > 0) {
            --armorKeyDelay;
        } else if (armorCharges > 0) {
            auto usable = [this](int index) {
                PlayerModifier* m = GetModifier(index);
                return m != nullptr && m->IsEnabled() && m->CanUse() && !IsSpiderForm();
            };
            if (pressed.fireArmor && usable(kFireArmor)) {
                currentArmor = kFireArmor;
                pressedMark = true;
            }
            if (pressed.iceArmor && usable(kIceArmor)) {
                currentArmor = kIceArmor;
                pressedMark = true;
            }
            if (pressedMark)
                armorKeyDelay = 8;
        }
        if (currentArmor != previous)
            SwitchArmor(previous, false);
        if (armorCharges < armorChargesMax && ++armorRechargeCounter >= armorRechargePeriod) {
            ++armorCharges;
            armorRechargeCounter = 0;
            if (armorFlagByte != 0)
                PlaySoundAt(22);
        }
        if (currentArmor == previous && pressedMark) {
            if (PlayerModifier* worn = GetModifier(currentArmor))
                worn->Use();
        }
        if (PlayerModifier* worn = GetModifier(currentArmor))
            worn->Update();
    }
    if (modifiers.size() > 6) {
        if (PlayerModifier* straff = GetModifier(kStraff))
            straff->Update();
    }
}

void Player::FindNearestSecretZone()
{
    // The fireflies that show the nearest target come with the secret zones;
    // the targets a script adds are already searched here.
    float best = 262144.0f;
    const Point<float> centre = GetCenter();
    for (CharacterObject* c : targetCharacters) {
        if (c == nullptr)
            continue;
        const Point<float> d = c->GetCenter() - centre;
        best = std::min(best, d.x * d.x + d.y * d.y);
    }
    (void)best;
}
