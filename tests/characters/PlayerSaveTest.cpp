#include "characters/Firefly.h"
#include "characters/Player.h"
#include "characters/PlayerArmorFire.h"
#include "characters/PlayerArmorIce.h"
#include "characters/PlayerModifier.h"
#include "engine/config/GamePaths.h"
#include "game/Game.h"
#include "game/GameSaveData.h"
#include "scene/BackgroundEvent.h"
#include "scene/Level.h"
#include "scene/MapModel.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The game with a level, a player in it and a user folder of its own.
class PlayerSave : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("quenholt-player-save-" + std::to_string(getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        SetUserPath(folder.string() + "/");
        game.minimapModel = std::make_unique<MapModel>();
        game.SetCurrentLevel(&level);
        game.SetPlayer(std::make_unique<Player>("Player"));
        player = game.GetPlayer();
    }
    void TearDown() override
    {
        game.SetCurrentLevel(nullptr);
        SetUserPath("");
        fs::remove_all(folder);
    }

    // A record whose player values all differ from a new player's.
    static void FillPlayerValues(GameSaveData& record)
    {
        record.SetModifierFlags({true, true, false, true, false, true, false});
        record.SetCurrentArmor(Player::kIceArmor);
        record.SetCrossbowAmmo(2);
        record.SetCrossbowCapacity(5);
        record.SetMaxLife(7);
        record.SetMinimapInHud(true);
        record.SetPowerSlots(3);
        record.SetPowerPerSlot(120);
        record.SetPlayerFlag1(true);
        record.SetPlayerFlag2(true);
        record.SetPlayerCounter(2);
        record.SetFireArmorLevel(2);
        record.SetIceArmorLevel(2);
        record.SetAttackRank(3);
        record.SetHasFireflies(1);
    }
    static void ExpectPlayerValues(Player& p)
    {
        const std::vector<bool> enabled = {true, true, false, true, false, true, false};
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(p.IsModifierEnabled(i), enabled[static_cast<size_t>(i)]) << "modifier " << i;
        EXPECT_EQ(p.GetCurrentArmor(), Player::kIceArmor);
        ASSERT_NE(GetPlayerArmorCrossbow(&p), nullptr);
        EXPECT_EQ(GetPlayerArmorCrossbow(&p)->boltsLeft, 2);
        EXPECT_EQ(GetPlayerArmorCrossbow(&p)->boltCapacity, 5);
        EXPECT_EQ(p.GetMaxLife(), 7);
        EXPECT_EQ(p.GetLife(), 7);
        EXPECT_TRUE(p.minimapEnabled);
        EXPECT_EQ(p.GetArmorState().armorChargesMax, 3);
        EXPECT_EQ(p.GetArmorState().armorRechargePeriod, 120);
        EXPECT_TRUE(p.spiderDoubleJump);
        EXPECT_TRUE(p.itemAttraction);
        EXPECT_EQ(p.crossbowLevel, 2);
        EXPECT_EQ(GetPlayerArmorFire(&p)->GetLevel(), 2);
        EXPECT_EQ(GetPlayerArmorIce(&p)->GetLevel(), 2);
        EXPECT_EQ(p.GetAttackRank(), 3);
        EXPECT_TRUE(p.secretFinder);
    }

    fs::path folder;
    Game game;
    Level level {"cemetery_01"};
    Player* player = nullptr;
};

TEST_F(PlayerSave, ALoadedRecordGivesThePlayerEveryValue)
{
    GameSaveData record;
    FillPlayerValues(record);
    player->GetArmorState().armorCharges = 1;
    player->SetPosition({150.7f, 40.2f});
    player->ApplySaveData(record.GetPlayerProgress());
    ExpectPlayerValues(*player);
    // The saved armor goes on as a switch: a player holding a charge uses it.
    EXPECT_EQ(player->GetArmorState().armorCharges, 0);
    ASSERT_EQ(level.GetBackgroundEventCount(), 1u);
    EXPECT_EQ(level.GetBackgroundEvent(0)->GetName(), "Armor Ice Use");
    for (const auto& firefly : player->GetFireflies()) {
        EXPECT_TRUE(firefly->IsAttached());
        EXPECT_EQ(firefly->GetPosition(), Point<float>(32.0f, 64.0f));
        EXPECT_EQ(firefly->GetTargetPoint(), Point<int>(150, 40)) << "the player's corner";
    }
}

TEST_F(PlayerSave, AnAbilityAlreadyOwnedStaysAndDamagedValuesAreKeptSound)
{
    player->EnableModifier(Player::kDoubleJump);
    GameSaveData record;
    record.SetModifierFlags({false, false});
    record.SetCurrentArmor(9); // no such modifier: the worn armor stays
    record.SetMaxLife(0);
    record.SetPowerPerSlot(0);
    player->ApplySaveData(record.GetPlayerProgress());
    EXPECT_TRUE(player->IsModifierEnabled(Player::kDoubleJump));
    EXPECT_EQ(player->GetCurrentArmor(), -1);
    EXPECT_EQ(player->GetMaxLife(), 1) << "a player never starts dead";
    EXPECT_EQ(player->GetLife(), 1);
    EXPECT_EQ(player->GetArmorState().armorRechargePeriod, 1) << "no charge every frame without end";
    EXPECT_FALSE(player->secretFinder);
}

TEST_F(PlayerSave, WhatASaveWritesALoadGivesBackToANewPlayer)
{
    GameSaveData record;
    FillPlayerValues(record);
    player->ApplySaveData(record.GetPlayerProgress());
    player->SetPosition(Point<float>(320.0f, 64.0f));
    game.currentSaveSlot = 3;
    ASSERT_TRUE(game.SaveGameAt(320.0f, 64.0f, -1));

    game.SetPlayer(std::make_unique<Player>("Player"));
    Player* fresh = game.GetPlayer();
    EXPECT_FALSE(fresh->IsModifierEnabled(Player::kFireArmor));
    EXPECT_TRUE(game.console.ExecuteCommand("load"));
    ExpectPlayerValues(*fresh);
    // A new player holds no charge: the armor goes on without a use.
    EXPECT_EQ(fresh->GetArmorState().armorCharges, 0);
    EXPECT_EQ(level.GetBackgroundEventCount(), 0u);
    EXPECT_EQ(game.saveData.GetPosition(), Point<float>(320.0f, 64.0f));
    EXPECT_EQ(game.saveData.GetDirection(), -1);
}

TEST_F(PlayerSave, GodKeepsThePlayersLifeAndLogPlayerWritesItsDeath)
{
    player->SetMaxLife(3);
    player->SetLife(1);
    EXPECT_TRUE(game.console.ExecuteCommand("god 1"));
    player->ApplyDamage(nullptr, 1);
    EXPECT_EQ(player->GetLife(), 1);
    player->UpdateDeath();
    EXPECT_FALSE(player->IsInputLocked());

    game.SetPlayer(std::make_unique<Player>("Player"));
    Player* mortal = game.GetPlayer();
    mortal->SetLife(1);
    EXPECT_TRUE(game.console.ExecuteCommand("god 0"));
    EXPECT_TRUE(game.console.ExecuteCommand("logplayer 1"));
    game.currentSaveSlot = 4;
    game.minimapModel->SetCurrentLocation(Point<int>(12, 22));
    mortal->ApplyDamage(nullptr, 1);
    EXPECT_EQ(mortal->GetLife(), 0);
    size_t logs = 0;
    std::string record;
    for (const auto& entry : fs::directory_iterator(folder / "DiesHistory")) {
        if (entry.path().filename().string().rfind("Save_4_LogPlayer_", 0) != 0)
            continue;
        ++logs;
        std::ifstream in(entry.path(), std::ios::binary);
        record.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    EXPECT_EQ(logs, 1u);
    // The second line of the record is the minimap model's current cell.
    EXPECT_NE(record.find("\n\tPoint(12;22)"), std::string::npos) << record;
    game.currentSaveSlot = -1;
}

TEST_F(PlayerSave, EnablePlayerArmorsGivesEveryAbilityAndAFullCrossbow)
{
    GetPlayerArmorCrossbow(player)->boltsLeft = 0;
    EXPECT_TRUE(game.console.ExecuteCommand("enableplayerarmors"));
    for (int i = 0; i < player->GetModifierCount(); ++i)
        EXPECT_TRUE(player->IsModifierEnabled(i)) << i;
    EXPECT_EQ(player->GetArmorState().armorChargesMax, 2);
    EXPECT_EQ(GetPlayerArmorCrossbow(player)->boltsLeft, 3);
    EXPECT_EQ(GetPlayerArmorCrossbow(player)->boltCapacity, 3);
    EXPECT_EQ(player->GetArmorState().armorKeyDelay, 30);
    EXPECT_TRUE(player->IsArmorDisplayShown());
    // The key delay holds the armor actions back for 30 frames.
    player->SetLife(3);
    player->GetArmorState().armorCharges = 2;
    InputActions ice;
    ice.Action5 = true;
    for (int i = 0; i < 30; ++i)
        player->UpdateArmors(ice);
    EXPECT_EQ(player->GetCurrentArmor(), -1);
    player->UpdateArmors(ice);
    EXPECT_EQ(player->GetCurrentArmor(), Player::kIceArmor);
}

} // namespace

namespace {

TEST_F(PlayerSave, AReloadTakesTheSlotBackKeepingPlayTimeAndScreensSeen)
{
    GameSaveData record;
    FillPlayerValues(record);
    record.SetMapName("garden_02.lvl");
    record.SetPlayTime(1000);
    record.SetCell(3, 4, 1);
    game.currentSaveSlot = 5;
    ASSERT_TRUE(record.WriteFile(GameSaveData::GetSlotPath(5), nullptr, 7));
    game.saveData.SetPlayTime(90000);
    game.minimapModel->SetCell(1, 1, 1); // seen since the save
    game.minimapModel->SetCell(2, 2, 2);

    game.ReloadSave();
    EXPECT_EQ(game.GetPlayer(), nullptr) << "made anew by the level change";
    EXPECT_EQ(game.pendingLevelFile, "garden_02.lvl");
    EXPECT_EQ(game.startPointName, "[SAVE]");
    EXPECT_TRUE(game.usePlayerStart);
    EXPECT_EQ(game.saveData.GetPlayTime(), 90000u);
    EXPECT_EQ(game.saveData.GetCell(1, 1), 2);
    EXPECT_EQ(game.saveData.GetCell(2, 2), 2);
    EXPECT_EQ(game.saveData.GetCell(3, 4), 1);
    EXPECT_EQ(game.saveData.GetMaxLife(), 7);
}

// A load that fails keeps the record as the game captured it last, on
// leaving cemetery_01: the reload goes back there, to the saved place. A
// record that never captured a place starts its map at the default start.
TEST_F(PlayerSave, AReloadWithoutASaveGoesToTheRecordsPlace)
{
    game.currentSaveSlot = 4; // no file
    game.saveData.SetMapName("cemetery_01.lvl");
    game.saveData.StartLevelRecord("cemetery_01.lvl");
    game.startPointName = "start";
    game.ReloadSave();
    EXPECT_EQ(game.GetPlayer(), nullptr);
    EXPECT_EQ(game.pendingLevelFile, "cemetery_01.lvl");
    EXPECT_EQ(game.startPointName, "[SAVE]");

    game.saveData.Reset();
    game.saveData.SetMapName("garden_02.lvl");
    game.ReloadSave();
    EXPECT_EQ(game.pendingLevelFile, "garden_02.lvl");
    EXPECT_EQ(game.startPointName, "");
}

} // namespace
