#include "characters/Player.h"
#include "characters/PlayerArmorFire.h"
#include "characters/PlayerArmorIce.h"
#include "characters/PlayerModifier.h"
#include "characters/PlayerWorld.h"
#include "engine/config/GamePaths.h"
#include "game/Game.h"
#include "scene/CollisionShape.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/MapModel.h"
#include "scene/SpacialInstance.h"
#include "script/BGEvent_ShowText.h"
#include "tests/engine/platform/DebugCapture.h"
#include "zones/Zone_ClimbJump.h"
#include "zones/Zone_Save.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Placed = SpacialInstance<GraphicalObject, float>;

// A game on slot 0 of a fresh user folder, in a level, with a player of
// 20 x 40 standing on a save point placed at (100, 200).
class ZoneSave : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("quenholt-zonesave-" + std::to_string(getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        SetUserPath(folder.string() + "/");
        game.minimapModel = std::make_unique<MapModel>();
        game.currentSaveSlot = 0;
        auto newPlayer = std::make_unique<Player>("Player");
        newPlayer->SetSize(20, 40);
        newPlayer->SetPosition(Point<float>(110.0f, 210.0f));
        player = newPlayer.get();
        game.SetPlayer(std::move(newPlayer));
        game.SetCurrentLevel(&level);
        placed.SetPayload(std::unique_ptr<SceneObjectInstance>(type.CreateInstance()));
    }
    void TearDown() override
    {
        game.SetCurrentLevel(nullptr);
        SetUserPath("");
        fs::remove_all(folder);
    }
    Zone_Save::Instance& Save() { return dynamic_cast<Zone_Save::Instance&>(*placed.GetPayload()); }
    int SavedTexts(const std::string& shown = "Saved !") const
    {
        int count = 0;
        for (size_t i = 0; i < level.GetBackgroundEventCount(); ++i) {
            auto* text = dynamic_cast<BGEvent_ShowText*>(level.GetBackgroundEvent(i));
            if (text != nullptr && text->GetName() == "Save" && text->GetText() == shown)
                ++count;
        }
        return count;
    }
    fs::path Slot() const { return folder / "Save_0.sav"; }

    fs::path folder;
    Game game;
    Level level {"garden_01.lvl"};
    Player* player = nullptr;
    Zone_Save type {"Zone_Save"};
    Placed placed {&type, 100.0f, 200.0f};
};

TEST_F(ZoneSave, TouchingSavesOnceAtTheZoneWithItsFacingAndSaysSo)
{
    Save().direction.value = "Right";
    type.UpdatePlayerContact(&placed);
    ASSERT_TRUE(fs::exists(Slot()));
    EXPECT_EQ(SavedTexts(), 1);
    EXPECT_EQ(game.saveData.GetPosition(), Point<float>(100.0f, 200.0f));
    EXPECT_EQ(game.saveData.GetDirection(), 1);
    EXPECT_EQ(game.saveData.GetMapName(), "garden_01.lvl");

    // The slot on disk holds the same place.
    GameSaveData read;
    ASSERT_TRUE(read.ReadFile(Slot().string(), nullptr));
    EXPECT_EQ(read.GetPosition(), Point<float>(100.0f, 200.0f));
    EXPECT_EQ(read.GetDirection(), 1);

    // Standing on, or coming back, saves nothing more until the next load.
    fs::remove(Slot());
    type.UpdatePlayerContact(&placed);
    player->SetPosition(Point<float>(400.0f, 210.0f));
    type.UpdatePlayerContact(&placed);
    player->SetPosition(Point<float>(110.0f, 210.0f));
    type.UpdatePlayerContact(&placed);
    EXPECT_FALSE(fs::exists(Slot()));
    EXPECT_EQ(SavedTexts(), 1);
}

TEST_F(ZoneSave, OnlyRightWithItsCapitalFacesRight)
{
    Save().direction.value = "right";
    type.UpdatePlayerContact(&placed);
    EXPECT_EQ(game.saveData.GetDirection(), -1);
}

TEST_F(ZoneSave, AFailedSaveRefillsTheLifeButSaysNothing)
{
    game.currentSaveSlot = -1;
    player->SetMaxLife(6);
    player->SetLife(1);
    type.UpdatePlayerContact(&placed);
    EXPECT_EQ(player->GetLife(), 6);
    EXPECT_FALSE(fs::exists(Slot()));
    EXPECT_EQ(SavedTexts(), 0);
    EXPECT_EQ(SavedTexts("Not saved !"), 0) << "no slot chosen: nothing was meant to be saved";
    // Used for this load all the same.
    EXPECT_FALSE(Save().IsEnabled());
}

TEST_F(ZoneSave, AWriteThatFailsIsShownAndNamesTheFileAndTheReason)
{
    const std::string missing = (folder / "gone").string() + "/";
    SetUserPath(missing);
    DebugCapture debug;
    type.UpdatePlayerContact(&placed);
    EXPECT_EQ(SavedTexts(), 0);
    EXPECT_EQ(SavedTexts("Not saved !"), 1);
    EXPECT_NE(debug.Text().find(missing + "Save_0.sav: No such file or directory"), std::string::npos)
        << debug.Text();
}

TEST_F(ZoneSave, TheSaveRecordsWhatThePlayerHasGained)
{
    player->EnableModifier(Player::kIceArmor);
    player->EnableModifier(Player::kCrossbow);
    player->SetCurrentArmor(Player::kIceArmor);
    GetPlayerArmorCrossbow(player)->boltsLeft = 2;
    GetPlayerArmorCrossbow(player)->boltCapacity = 6;
    GetPlayerArmorIce(player)->SetLevel(2);
    player->SetMaxLife(9);
    player->GetArmorState().armorChargesMax = 3;
    player->GetArmorState().armorRechargePeriod = 90;
    player->minimapEnabled = true;
    player->spiderDoubleJump = true;
    player->itemAttraction = true;
    player->crossbowLevel = 3;
    player->secretFinder = true;
    player->SetAttackRank(3);
    type.UpdatePlayerContact(&placed);

    GameSaveData read;
    ASSERT_TRUE(read.ReadFile(Slot().string(), nullptr));
    EXPECT_EQ(read.GetModifierFlags(), (std::vector<bool> {false, true, false, false, false, true, false}));
    EXPECT_EQ(read.GetCurrentArmor(), Player::kIceArmor);
    EXPECT_EQ(read.GetCrossbowAmmo(), 2);
    EXPECT_EQ(read.GetCrossbowCapacity(), 6);
    EXPECT_EQ(read.GetIceArmorLevel(), 2);
    EXPECT_EQ(read.GetFireArmorLevel(), 1);
    EXPECT_EQ(read.GetMaxLife(), 9);
    EXPECT_EQ(read.GetPowerSlots(), 3);
    EXPECT_EQ(read.GetPowerPerSlot(), 90);
    EXPECT_TRUE(read.GetMinimapInHud());
    EXPECT_TRUE(read.GetPlayerFlag1());
    EXPECT_TRUE(read.GetPlayerFlag2());
    EXPECT_EQ(read.GetPlayerCounter(), 3);
    EXPECT_EQ(read.GetHasFireflies(), 1);
    EXPECT_EQ(read.GetAttackRank(), 3);
}

// Climb zones side by side, their columns 100..163 and 164..227, rows 0..199.
class ZoneClimbFlags : public ::testing::Test {
protected:
    ZoneClimbFlags()
    {
        auto newPlayer = std::make_unique<Player>("Player");
        player = newPlayer.get();
        game.SetPlayer(std::move(newPlayer));
        for (Placed* zone : {&left, &right}) {
            auto instance = std::make_unique<Zone_ClimbJump::Instance>();
            instance->SetSize(Point<int>(64, 200));
            zone->SetPayload(std::move(instance));
        }
    }
    // The contact pass over both zones with the player's corner at x.
    void PassAt(float x)
    {
        player->SetPosition(Point<float>(x, 10.0f));
        type.UpdatePlayerContact(&left);
        type.UpdatePlayerContact(&right);
    }

    Game game;
    Player* player = nullptr;
    Zone_ClimbJump type {"Climb_Zone"};
    Placed left {&type, 100.0f, 0.0f};
    Placed right {&type, 164.0f, 0.0f};
};

TEST_F(ZoneClimbFlags, ZonesSideBySideActAsOneAndLeavingSkipsOneClimbStep)
{
    PassAt(99.0f);
    EXPECT_TRUE(player->inClimbZone);
    EXPECT_EQ(player->currentClimbZone, left.GetPayload());
    // Across into the right zone: the pass ends with the flag set by it.
    PassAt(200.0f);
    EXPECT_TRUE(player->inClimbZone);
    EXPECT_EQ(player->currentClimbZone, right.GetPayload());
    // A zone that did not set the flag leaves it alone.
    player->climbSkip = false;
    type.UpdatePlayerContact(&left);
    EXPECT_TRUE(player->inClimbZone);
    EXPECT_FALSE(player->climbSkip);
    // Out of both: the zone that set the flag clears it and asks one skip.
    PassAt(400.0f);
    EXPECT_FALSE(player->inClimbZone);
    EXPECT_EQ(player->currentClimbZone, nullptr);
    EXPECT_TRUE(player->climbSkip);
    // Staying out asks no further skip.
    player->climbSkip = false;
    PassAt(400.0f);
    EXPECT_FALSE(player->climbSkip);
}

TEST_F(ZoneClimbFlags, ANewLevelForgetsTheClimbZoneOfTheLastOne)
{
    PassAt(99.0f);
    ASSERT_EQ(player->currentClimbZone, left.GetPayload());
    // A teleport keeps the player's motion, but the zones it knew are gone:
    // out of every zone of the new level, the climb flag must drop.
    player->ResetForLevel(true);
    EXPECT_EQ(player->currentClimbZone, nullptr);
    player->inClimbZone = true;
    PassAt(400.0f);
    EXPECT_FALSE(player->inClimbZone);
}

TEST_F(ZoneClimbFlags, TheDebugLineSaysWhetherThePlayerClimbs)
{
    game.console.debug = true;
    PassAt(99.0f);
    player->SetMoveStateValue(Player::kClimbing);
    PassAt(99.0f);
    std::vector<std::string> lines;
    for (const auto& message : game.console.messages)
        lines.push_back(message.text);
    EXPECT_EQ(lines, (std::vector<std::string> {"ClimbZone", "=> Climbing ..."}));
    EXPECT_EQ(game.console.messages.back().colour, 0xFF5AE664u);
}

// A wall to climb: a climb zone over columns 100..163 and rows 32..331 of a
// level's "Collisions" layer, standing on a floor whose top is y = 32.
class ClimbOnTheWall : public ZoneClimbFlags {
protected:
    ClimbOnTheWall()
    {
        block.SetSize(1024, 32, true);
        block.CollisionShapeAt(0) = std::make_unique<CollisionBox<int>>(0, 31, 1023, 0, 0);
        layer = level.CreateLayer(Level::kScene, "Collisions", nullptr, 1024, 512, 32, 32);
        layer->AddPlacedInstance(&block, 0.0f, 0.0f);
        Placed* zone = layer->AddPlacedInstance(&type, 100.0f, 32.0f);
        auto instance = std::make_unique<Zone_ClimbJump::Instance>();
        instance->SetSize(Point<int>(64, 300));
        zone->SetPayload(std::move(instance));
        game.SetCurrentLevel(&level);
        player->SetPosition(Point<float>(100.0f, 100.0f));
        player->SetMoveStateValue(Player::kClimbing);
        player->SetSpeedValue(10.0f);
    }
    ~ClimbOnTheWall() override { game.SetCurrentLevel(nullptr); }
    void Climb(float way, int steps)
    {
        player->SetDirection(Point<float>(0.0f, way));
        // Each frame: the climbing step, then the level's contact pass.
        for (int i = 0; i < steps; ++i) {
            player->UpdateClimb(GetPlayerWorld()->GetCollisions(), 33.0);
            level.UpdatePlayerContacts();
        }
    }

    Level level {"climb_test.lvl"};
    GraphicalObject block {"Floor"};
    Layer* layer = nullptr;
};

TEST_F(ClimbOnTheWall, TheClimberStopsAtTheTopOfTheZoneAndClimbsDownOntoTheGround)
{
    Climb(1.0f, 40);
    // The head may not leave the zone's top row (331): one step (10.56 px)
    // short of it at most.
    const float y = player->GetPosition().y;
    EXPECT_LE(y + 96.0f, 331.0f);
    EXPECT_GT(y + 96.0f, 331.0f - 10.56f);
    EXPECT_TRUE(player->inClimbZone);

    Climb(-1.0f, 40);
    EXPECT_NEAR(player->GetPosition().y, 32.1f, 1e-3) << "on the ground, less the skin";
    EXPECT_TRUE(player->inClimbZone);
}

} // namespace
