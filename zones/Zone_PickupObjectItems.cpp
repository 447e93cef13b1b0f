#include "characters/Player.h"
#include "characters/PlayerArmor.h"
#include "characters/PlayerArmorFire.h"
#include "characters/PlayerArmorIce.h"
#include "characters/PlayerModifier.h"
#include "scene/MapModel.h"
#include "zones/ZoneGameAccess.h"
#include "zones/ZoneRequests.h"
#include "zones/Zone_PickupObject.h"

#include <algorithm>
#include <cstdint>
#include <limits>

// What each item does to the player, its armors and the game when taken.

namespace {

// Makes `index` the worn armor, switching only when it changes.
void WearArmor(Player& player, int index)
{
    const int previous = player.GetCurrentArmor();
    player.SetCurrentArmor(index);
    if (previous != index)
        player.SwitchArmor(previous, false);
}

// The armor upgrade: worn, at level 2, with its look of level 2.
bool UpgradeArmor(Player& player, PlayerArmor* armor, int index)
{
    if (armor == nullptr)
        return false;
    WearArmor(player, index);
    armor->SetLevel(2);
    armor->ApplyAnimationSet();
    return true;
}

} // namespace

bool Zone_PickupObject::TakeModifier(Player& player, int kind)
{
    PlayerModifier* modifier = player.GetModifier(kind);
    if (modifier == nullptr || modifier->IsEnabled())
        return false;
    player.EnableModifier(kind);
    ZoneRequests::ShowText("NewArmor", "You get a new armor !", 30);
    if (kind == Player::kIceArmor) {
        // One charge to begin with, and it comes at once.
        PlayerArmorState& armor = player.GetArmorState();
        armor.armorChargesMax = 1;
        armor.armorRechargeCounter = armor.armorRechargePeriod;
        WearArmor(player, Player::kIceArmor);
    } else if (kind == Player::kFireArmor) {
        WearArmor(player, Player::kFireArmor);
    } else if (kind == Player::kCrossbow) {
        if (PlayerArmorCrossbow* crossbow = GetPlayerArmorCrossbow(&player)) {
            crossbow->boltsLeft = 3;
            crossbow->boltCapacity = 3;
        }
    }
    return true;
}

bool Zone_PickupObject::TakeItem(ZoneGameAccess& game, Player& player, Instance& pickup)
{
    switch (pickup.kind.value) {
    case kItemAttraction:
        player.itemAttraction = true;
        return true;
    case kSecretFinder:
        player.secretFinder = true;
        player.PlaceFirefliesAtPlayer();
        return true;
    case kIceArmorUpgrade:
        return UpgradeArmor(player, GetPlayerArmorIce(&player), Player::kIceArmor);
    case kFireArmorUpgrade:
        return UpgradeArmor(player, GetPlayerArmorFire(&player), Player::kFireArmor);
    case kMapPieces:
        return TakeMapPieces(game, player, pickup);
    // The counters stop at what a save holds (the world gives far less),
    // whatever they held before; the item is taken all the same.
    case kLifeUpgrade:
        if (player.GetMaxLife() < PlayerProgress::kMaxLife)
            player.SetMaxLife(std::min(player.GetMaxLife() + 2, PlayerProgress::kMaxLife));
        return true;
    case kArmorCharge:
        if (player.GetArmorState().armorChargesMax < PlayerProgress::kMaxPowerSlots)
            ++player.GetArmorState().armorChargesMax;
        return true;
    case kArmorRecharge: {
        // No lower bound but the int's: five of them bring the period to 0.
        int32_t& period = player.GetArmorState().armorRechargePeriod;
        period = period >= std::numeric_limits<int32_t>::min() + 30 ? period - 30
                                                                    : std::numeric_limits<int32_t>::min();
        return true;
    }
    case kCrossbowBolt:
        if (PlayerArmorCrossbow* crossbow = GetPlayerArmorCrossbow(&player)) {
            if (crossbow->boltCapacity < PlayerProgress::kMaxBolts)
                ++crossbow->boltCapacity;
            crossbow->boltsLeft = crossbow->boltCapacity;
            return true;
        }
        return false;
    case kCrossbowRank:
        if (player.crossbowLevel < PlayerProgress::kMaxCrossbowRank)
            ++player.crossbowLevel;
        return true;
    case kAttackRank:
        if (player.GetAttackRank() >= PlayerProgress::kMaxAttackRank)
            return false;
        player.SetAttackRank(player.GetAttackRank() + 1);
        ZoneRequests::ShowText("NewArmor", "You get a new attack power rank !", 30);
        return true;
    case kSpiderDoubleJump:
        player.spiderDoubleJump = true;
        return true;
    default:
        // 8 and 25 show a graphic but grant nothing; the others have neither.
        return false;
    }
}

bool Zone_PickupObject::TakeMapPieces(ZoneGameAccess& game, Player& player, Instance& pickup)
{
    MapModel* minimap = game.GetMinimapModel();
    if (minimap == nullptr)
        return false;
    pickup.SetEnabled(false);
    // Only cells not seen yet become revealed; visited ones stay visited.
    for (const Point<int>& cell : ParseMapCells(pickup.parameter.value)) {
        if (minimap->GetCell(cell.x, cell.y) == 0)
            minimap->SetCell(cell.x, cell.y, 2);
    }
    // Every take opens the map, whether or not it shows something new.
    ZoneRequests::OpenMap();
    player.PlaySoundAt(kSoundGetPickupMap);
    return true;
}
