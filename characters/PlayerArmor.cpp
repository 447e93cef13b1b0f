#include "characters/PlayerArmor.h"

#include "characters/Player.h"
#include "scene/GraphicalObject.h"

PlayerArmor::PlayerArmor(std::string prefix_)
    : prefix(std::move(prefix_))
{
}

PlayerArmor::~PlayerArmor()
{
    setA.Release(nullptr);
    setB.Release(nullptr);
    setC.Release(nullptr);
}

void PlayerArmor::OnEnabled()
{
    if (built != 0)
        return;
    PlayerWorld* world = GetPlayerWorld();
    if (world == nullptr)
        return;
    // Level 2 inserts a "2" before the closing bracket ("[Ice2]"); the
    // crossbow's set a "C" ("[IceC]").
    std::string prefix2 = prefix;
    prefix2.insert(prefix2.size() - 1, "2");
    std::string prefixC = prefix;
    prefixC.insert(prefixC.size() - 1, "C");
    for (int slot = 0; slot < PlayerAnimationSet::kSlotCount; ++slot) {
        const std::string suffix = "Player " + PlayerAnimationSet::SlotName(slot);
        setA.SetSlot(slot, world->CloneGraphical(prefix + suffix));
        setB.SetSlot(slot, world->CloneGraphical(prefix2 + suffix));
        setC.SetSlot(slot, world->CloneGraphical(prefixC + suffix));
    }
    built = 1;
}

void PlayerArmor::OnSelected(bool silent)
{
    ApplyAnimationSet();
    if (!silent) {
        if (PlayerWorld* world = GetPlayerWorld(); world != nullptr && world->GetPlayer() != nullptr)
            world->GetPlayer()->PlaySoundAt(10);
        Use();
    }
}

void PlayerArmor::ApplyAnimationSet()
{
    PlayerWorld* world = GetPlayerWorld();
    GetAnimationSet().ApplyToPlayer(world != nullptr ? world->GetPlayer() : nullptr);
}

PlayerArmorFire::PlayerArmorFire()
    : PlayerArmor("[Fire]")
{
    OnEnabled();
}

PlayerArmorIce::PlayerArmorIce()
    : PlayerArmor("[Ice]")
{
}

void PlayerArmorIce::SetEnabled(bool value)
{
    PlayerArmor::SetEnabled(value);
    if (!value)
        return;
    if (PlayerWorld* world = GetPlayerWorld()) {
        Player* player = world->GetPlayer();
        if (player != nullptr && player->armorChargesMax == 0)
            player->armorChargesMax = 2;
    }
}

void PlayerArmorCrossbow::OnEnabled()
{
    PlayerWorld* world = GetPlayerWorld();
    Player* player = world != nullptr ? world->GetPlayer() : nullptr;
    if (player == nullptr || player->GetCurrentArmor() < 0)
        return;
    if (auto* armor = dynamic_cast<PlayerArmor*>(player->GetModifier(player->GetCurrentArmor())))
        armor->GetAnimationSetC().ApplyToPlayer(player);
}

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
