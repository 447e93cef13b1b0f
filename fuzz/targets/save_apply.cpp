#include "characters/Player.h"
#include "engine/serial/StrSerialize.h"
#include "engine/serial/VectorSerialize.h"
#include "fuzz/FuzzPlayground.h"
#include "fuzz/FuzzRecord.h"
#include "game/AchievementManager.h"
#include "scene/Layer.h"
#include "zones/Zone_PickupObject.h"

#include <sstream>

// A save slot read and, when whole, applied to a game in a level as a load
// applies it: the achievements, a player made from it, the pickups' states of
// every level record on a level that has two pickups, the game's variables,
// minimap and teleports; then the counter items taken, and the game captured
// and written back.
QUENHOLT_FUZZ_TARGET(save_apply, fuzz::Reports::FileName)
{
    fuzz::FuzzPlayground playground;
    Game& game = playground.game;
    AchievementManager::Entries entries;
    const bool read
        = fuzz::ReadRecordText(input, [&](std::istream& is) { return game.saveData.Read(is, &entries); });
    if (!read)
        return false;

    Zone_PickupObject pickupType("Zone_PickupObject");
    Layer* scene = playground.level->GetLayer(Level::kScene, "Scene Layer 00");
    for (int id : {0, 1}) {
        Level::Instance* pickup = scene->AddPlacedInstance(&pickupType, 64.0f * id, 0.0f);
        pickup->SetPayload(std::unique_ptr<SceneObjectInstance>(pickupType.CreateInstance()));
        pickup->GetPayload()->SetSaveIndex(id);
    }

    AchievementManager::ApplyEntries(game.GetAchievements(), entries);
    game.CreatePlayerFromSave();
    VectorSerialize savedLevels(false);
    game.saveData.ListLevelRecords(savedLevels);
    for (size_t i = 0; i < savedLevels.Size(); i += 2) {
        if (const auto* key = savedLevels.As<StrSerialize>(i)) {
            playground.level->SetSaveKey(key->value);
            playground.level->RestoreInstanceStates(&savedLevels);
        }
    }
    Game::ApplySaveData(&game);

    // The items that add to a counter, each taken twice where the player
    // stands: they hold at their bounds whatever the save gave.
    if (Player* player = game.GetPlayer()) {
        Level::Instance* item
            = scene->AddPlacedInstance(&pickupType, player->GetPosition().x, player->GetPosition().y);
        item->SetPayload(std::unique_ptr<SceneObjectInstance>(pickupType.CreateInstance()));
        auto& pickup = dynamic_cast<Zone_PickupObject::Instance&>(*item->GetPayload());
        using Z = Zone_PickupObject;
        for (int round = 0; round < 2; ++round) {
            for (int kind : {Z::kLifeUpgrade, Z::kArmorCharge, Z::kArmorRecharge, Z::kCrossbowBolt,
                     Z::kCrossbowRank, Z::kAttackRank, Z::kIceArmorUpgrade, Z::kFireArmorUpgrade}) {
                pickup.kind.value = kind;
                pickup.SetEnabled(true);
                pickupType.UpdatePlayerContact(item);
            }
        }
    }

    game.saveData.CaptureGameState(false);
    std::ostringstream os;
    game.saveData.Write(os, &game.GetAchievements(), 7);
    playground.DropLevel(); // the pickups go before their type
    return true;
}
