#include "characters/Player.h"
#include "enemies/NPC_Door.h"
#include "engine/config/GamePaths.h"
#include "engine/input/AbstractInputManager.h"
#include "engine/platform/DebugOutput.h"
#include "engine/render/PostChain.h"
#include "engine/serial/FileUtils.h"
#include "engine/serial/ReaderContext.h"
#include "game/AchievementManager.h"
#include "game/Game.h"
#include "game/GameSaveData.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/MapModel.h"
#include "scene/SpacialInstance.h"
#include "script/ScriptVar.h"
#include "tools/run/RunMoves.h"
#include "tools/world/WorldText.h"
#include "zones/Zone_PickupObject.h"

#include "tests/tools/WorldPilotWalk.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

// The cemetery slice walked by the run's pilot from a new game, in the
// assembled world (build/world) and the game's own frame update: the intro,
// the urn, the rank pickup, past the first door, the Lantern Ring's save
// point and the reload at it, three hubs' teleporters, and a teleport.
namespace {

namespace fs = std::filesystem;
constexpr float kTile = 32.0f;

class WorldWalk : public WorldPilotWalk {
protected:
    WorldWalk()
        : WorldPilotWalk("quenholt-walk")
    {
    }

    // A pickup of the current level by its placement name, or null.
    Zone_PickupObject::Instance* Pickup(const std::string& name)
    {
        Layer* collisions = game.GetCurrentLevel()
            ? game.GetCurrentLevel()->GetLayer(Level::kScene, "Collisions")
            : nullptr;
        auto* placed = collisions ? collisions->FindInstanceByName(name) : nullptr;
        return placed ? dynamic_cast<Zone_PickupObject::Instance*>(placed->GetPayload()) : nullptr;
    }
    // Whether the pickup lies in the level, untaken and shown.
    bool PickupLies(const std::string& name)
    {
        Zone_PickupObject::Instance* pickup = Pickup(name);
        return pickup != nullptr && pickup->IsEnabled() && pickup->itemGraphic != nullptr
            && pickup->itemGraphic->IsVisible();
    }
    // From a new game on the first level to the end of the intro.
    void StartNewGame()
    {
        ASSERT_TRUE(game.ChangeLevel(game.firstMapName));
        ASSERT_EQ(LevelName(), "cemetery_01.lvl");
        ASSERT_TRUE(WaitUntil([&] { return SaveVar("intro_done") == "1" && !game.gameplayPaused; }));
    }
    // Strikes the door: "opening" from the blow, then "open" (the game's
    // clock moves with the passes); whether it opened.
    bool StrikeOpen(NPC_Door& door)
    {
        const int side = door.GetCenter().x > ThePlayer().GetCenter().x ? 1 : -1;
        RunMoves::StrikeUntil(
            *pilot, side, [&] { return door.GetDoorState() != NPC_Door::kClosed; }, 20, "the door");
        EXPECT_EQ(door.GetDoorState(), NPC_Door::kOpening);
        return WaitUntil([&] { return door.GetDoorState() == NPC_Door::kOpen; });
    }
};

TEST_F(WorldWalk, FromANewGameThroughTheRankASaveAndItsReloadThreeTeleportersAndATeleport)
{
    // A new game: the first level, at its default start point.
    ASSERT_TRUE(game.ChangeLevel(game.firstMapName));
    ASSERT_EQ(LevelName(), "cemetery_01.lvl");
    ASSERT_NE(game.GetPlayer(), nullptr);
    EXPECT_FLOAT_EQ(X(), 5 * kTile);
    EXPECT_NEAR(Y(), 2 * kTile, 1.0f) << "set on the floor below the point";
    EXPECT_GT(ThePlayer().GetLife(), 0);
    ASSERT_TRUE(game.console.ExecuteCommand("god 1"));
    EXPECT_EQ(ThePlayer().GetAttackRank(), 1);

    // The intro: the Keeper walks to his spot while the camera looks at the
    // gate; then the player has its keys back.
    ASSERT_TRUE(WaitUntil([&] { return SaveVar("intro_done") == "1" && !game.gameplayPaused; }));
    CharacterObject* keeper = game.FindCharacterByName("keeper", nullptr);
    ASSERT_NE(keeper, nullptr);
    EXPECT_FLOAT_EQ(keeper->GetPosition().x, 9 * kTile);

    // East through the save point to the urn: a blow breaks it, once.
    ASSERT_TRUE(RunMoves::StandAt(*pilot, 16 * kTile + 16.0f));
    EXPECT_TRUE(RunMoves::StrikeUntil(
        *pilot, 1, [&] { return SaveVar("urn_c01") == "1"; }, 30, "the urn"));
    WaitUntil([] { return false; }, 15); // the swing ends

    // On to the rank pickup, on the floor: walked to, and walked on from.
    ASSERT_TRUE(WalkTo(25 * kTile + 8.0f));
    EXPECT_EQ(ThePlayer().GetAttackRank(), 2);
    EXPECT_NEAR(Y(), 2 * kTile, 1.0f);

    // East to the first door: closed, it holds the player back, jumps and
    // all.
    auto* door = dynamic_cast<NPC_Door*>(game.FindCharacterByName("gate_door", nullptr));
    ASSERT_NE(door, nullptr);
    EXPECT_EQ(door->GetDoorState(), NPC_Door::kClosed);
    EXPECT_FALSE(WalkTo(48 * kTile, 300));
    EXPECT_LE(ThePlayer().GetWorldBox(0, 0).right, door->GetPosition().x);
    EXPECT_GT(X(), 37 * kTile) << "at the door";
    EXPECT_EQ(door->GetDoorState(), NPC_Door::kClosed);
    // The scythe at rank 2 opens it: "opening" from the blow, then "open".
    ASSERT_EQ(ThePlayer().GetAttackRank(), 2);
    auto strikeOpen = [&] {
        EXPECT_TRUE(StrikeOpen(*door));
        EXPECT_DOUBLE_EQ(door->GetOpenTimer(), NPC_Door::kOpenDelay);
    };
    strikeOpen();
    // Through it and on to the last screen; behind the player the door
    // closes again once its delay has run out, and holds the player again.
    ASSERT_TRUE(WalkTo(48 * kTile));
    EXPECT_GT(X(), 47 * kTile);
    EXPECT_EQ(door->GetDoorState(), NPC_Door::kOpen);
    EXPECT_TRUE(WaitUntil([&] { return door->GetDoorState() == NPC_Door::kClosed; }));
    EXPECT_FALSE(WalkTo(30 * kTile, 200));
    EXPECT_GE(ThePlayer().GetWorldBox(0, 0).left, door->GetPosition().x + 32.0f) << "held on the east side";
    // Opened again from the east, it lets the player back west.
    strikeOpen();
    ASSERT_TRUE(WalkTo(30 * kTile));
    EXPECT_LT(X(), 31 * kTile);

    // West, out to the Lantern Ring, arriving by the east exit.
    ASSERT_TRUE(WalkOut(0.0f, "cimetery_tp_01.lvl"));
    EXPECT_NEAR(X(), 27 * kTile, kTile);
    // Through the ring: the first teleporter becomes known.
    ASSERT_TRUE(WalkTo(17 * kTile));
    EXPECT_NE(game.FindTeleportByLevel("cimetery_tp_01.lvl"), nullptr);
    // The hub's save point writes the slot: this level, the rank, the ring.
    const fs::path slot = fs::path(GameSaveData::GetSlotPath(0));
    ASSERT_TRUE(WalkTo(9 * kTile));
    ASSERT_TRUE(fs::exists(slot));
    const std::string saved = ReadWholeFile(slot.string());
    EXPECT_NE(saved.find("cimetery_tp_01.lvl"), std::string::npos);
    EXPECT_NE(saved.find("intro_done"), std::string::npos);
    EXPECT_EQ(game.saveData.GetAttackRank(), 2);
    EXPECT_EQ(game.saveData.GetMapName(), "cimetery_tp_01.lvl");

    // On west, then the reload: back at the save point, as saved.
    ASSERT_TRUE(WalkTo(5 * kTile));
    game.pendingLoad = true;
    Pass();
    ASSERT_EQ(LevelName(), "cimetery_tp_01.lvl");
    EXPECT_NEAR(X(), 10 * kTile, kTile);
    EXPECT_EQ(ThePlayer().GetAttackRank(), 2);
    EXPECT_EQ(SaveVar("intro_done"), "1");
    EXPECT_NE(game.FindTeleportByLevel("cimetery_tp_01.lvl"), nullptr);

    // West to the Dock: the second teleporter.
    ASSERT_TRUE(WalkOut(0.0f, "boat_tp_1.lvl"));
    EXPECT_NEAR(X(), 27 * kTile, kTile);
    ASSERT_TRUE(WalkTo(17 * kTile + 16.0f));
    EXPECT_NE(game.FindTeleportByLevel("boat_tp_1.lvl"), nullptr);
    EXPECT_EQ(ThePlayer().GetAttackRank(), 2) << "the rank stays through the level changes";
    // Knowing the Dock's gate counts for the portal achievement.
    EXPECT_EQ(game.GetAchievements().FindByName("Portal")->GetCurrent(), 1);

    // The Well Head: the way there is the skull mini-boss's double jump, so
    // the walk arrives by the console; its ring is the third teleporter.
    // (Off the Dock's ring first: a level change while its help shows
    // leaves the player standing still in the next level.)
    ASSERT_TRUE(WalkTo(21 * kTile));
    ASSERT_TRUE(game.console.ExecuteCommand("changelevel Cimetery_TP_02.lvl start"));
    Pass();
    ASSERT_EQ(LevelName(), "cimetery_tp_02.lvl");
    ASSERT_TRUE(WalkTo(12 * kTile));
    EXPECT_NE(game.FindTeleportByLevel("cimetery_tp_02.lvl"), nullptr);
    EXPECT_EQ(game.teleports.size(), 3u);

    // A teleport, as the teleport menu asks for one: to the Dock, at the
    // middle of its teleporter.
    game.RequestLevelChange("Boat_TP_1.lvl", "[TELEPORT]");
    Pass();
    ASSERT_EQ(LevelName(), "boat_tp_1.lvl");
    EXPECT_FLOAT_EQ(X(), 18 * kTile);
    EXPECT_NEAR(Y(), 2 * kTile, 1.0f);

    // No script line of the levels walked through was refused.
    EXPECT_EQ(debug.Text().find("Script Error"), std::string::npos) << debug.Text();
}

TEST_F(WorldWalk, PickupsNotTakenAreStillThereAfterTheLanternRingAndTheRankOpensTheFirstDoor)
{
    StartNewGame();
    ASSERT_TRUE(game.console.ExecuteCommand("god 1"));
    ASSERT_TRUE(PickupLies("rank_c01"));
    ASSERT_TRUE(PickupLies("map_01"));

    // West to the Lantern Ring and straight back east, nothing taken.
    ASSERT_TRUE(WalkOut(0.0f, "cimetery_tp_01.lvl"));
    ASSERT_TRUE(WalkOut(31 * kTile + 16.0f, "cemetery_01.lvl"));
    EXPECT_NEAR(X(), 4 * kTile, kTile) << "back at the west entry";
    EXPECT_TRUE(PickupLies("rank_c01"));
    EXPECT_TRUE(PickupLies("map_01"));
    // The rank pickup, then the first door opens to a blow of rank 2.
    ASSERT_TRUE(WalkTo(25 * kTile + 8.0f));
    EXPECT_EQ(ThePlayer().GetAttackRank(), 2);
    EXPECT_FALSE(Pickup("rank_c01")->IsEnabled());
    auto* door = dynamic_cast<NPC_Door*>(game.FindCharacterByName("gate_door", nullptr));
    ASSERT_NE(door, nullptr);
    EXPECT_FALSE(WalkTo(48 * kTile, 300)) << "held at the closed door";
    EXPECT_TRUE(StrikeOpen(*door));
    ASSERT_TRUE(WalkTo(48 * kTile));
    EXPECT_GT(X(), 47 * kTile) << "through the door";

    // Taken, it stays gone through the next level change (and so does the
    // map piece when the walk under it took it).
    const bool mapLies = Pickup("map_01")->IsEnabled();
    ASSERT_TRUE(game.console.ExecuteCommand("changelevel cemetery_01.lvl start"));
    Pass();
    ASSERT_EQ(LevelName(), "cemetery_01.lvl");
    ASSERT_NE(Pickup("rank_c01"), nullptr);
    EXPECT_FALSE(Pickup("rank_c01")->IsEnabled());
    EXPECT_EQ(Pickup("map_01")->IsEnabled(), mapLies);
}

TEST_F(WorldWalk, ADeathBeforeTheRankReloadsTheSaveWithThePickupStillThere)
{
    StartNewGame();
    // On the gate's save point west of the Keeper (the slot is written),
    // short of the rank.
    ASSERT_TRUE(WalkTo(9 * kTile));
    ASSERT_TRUE(fs::exists(GameSaveData::GetSlotPath(0)));
    EXPECT_EQ(ThePlayer().GetAttackRank(), 1);

    // A deadly blow (again while a skull's blow keeps the player
    // untouchable): once the death has played out, the save is reloaded.
    const size_t entries = debug.Text().size();
    for (int pass = 0; pass < 100 && ThePlayer().GetLife() > 0; ++pass) {
        ThePlayer().SetLife(1);
        ThePlayer().ApplyDamage(nullptr, 1);
        if (ThePlayer().GetLife() > 0)
            Pass();
    }
    ASSERT_EQ(ThePlayer().GetLife(), 0);
    ASSERT_TRUE(WaitUntil([&] {
        return debug.Text().find("ChangeLevel: entered \"cemetery_01.lvl\"", entries) != std::string::npos;
    })) << debug.Text();
    ASSERT_EQ(LevelName(), "cemetery_01.lvl");
    EXPECT_NEAR(X(), 9 * kTile, kTile) << "at the save point";
    EXPECT_GT(ThePlayer().GetLife(), 0);
    EXPECT_TRUE(PickupLies("rank_c01"));
    // The map piece, taken under way before the save, stays taken.
    ASSERT_NE(Pickup("map_01"), nullptr);
    EXPECT_FALSE(Pickup("map_01")->IsEnabled());

    // And the rank can be taken.
    ASSERT_TRUE(game.console.ExecuteCommand("god 1"));
    ASSERT_TRUE(WalkTo(25 * kTile + 8.0f));
    EXPECT_EQ(ThePlayer().GetAttackRank(), 2);
}

} // namespace
