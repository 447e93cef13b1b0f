#include "characters/Player.h"
#include "engine/serial/IntSerialize.h"
#include "engine/serial/StrSerialize.h"
#include "engine/serial/VectorSerialize.h"
#include "game/Game.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "script/Script.h"
#include "zones/Point_PlayerStart.h"
#include "zones/Zone_LoadMap.h"
#include "zones/Zone_NPCSpawner_Door.h"
#include "zones/Zone_PickupObject.h"
#include "zones/Zone_Save.h"
#include "zones/Zone_TriggerScript.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A level of one screen whose scene layer holds a start point, a trigger, an
// attack-rank pickup, a save point, a door spawner and an exit, written to
// text and read back as a level file is, then walked through left to right.
class ZoneLevel : public ::testing::Test {
protected:
    ZoneLevel()
    {
        auto newPlayer = std::make_unique<Player>("Player");
        newPlayer->SetSize(20, 40);
        player = newPlayer.get();
        game.SetPlayer(std::move(newPlayer));
        for (const char* key : {"Point_PlayerStart", "Zone_TriggerZone", "Zone_PickupObject", "Zone_Save",
                 "Zone_NPCSpawner_Door", "Zone_LoadMap"})
            game.CreateSceneObjectByClass(key, key, "(game play)");
    }

    // Places the library's type `key` at (x, 32) with its instance data.
    template <class Data> Data& Place(Layer& layer, const std::string& key, float x, const std::string& name)
    {
        auto* type = dynamic_cast<GameplayObject*>(Game::FindSceneObject(key, false));
        Layer::Instance* placed = layer.AddPlacedInstance(type, x, 32.0f);
        auto* data = dynamic_cast<Data*>(type->CreateInstance());
        data->SetName(name);
        placed->SetPayload(std::unique_ptr<SceneObjectInstance>(data));
        return *data;
    }

    std::string BuildLevelText()
    {
        Level level("cemetery_01");
        Layer* scene = level.CreateLayer(Level::kScene, "Collisions", nullptr, 512, 448, 32, 32);
        level.CreateLayer(Level::kForeground, "Front", nullptr, 512, 448, 32, 32);
        Place<Point_PlayerStart::Instance>(*scene, "Point_PlayerStart", 10.0f, "start").SetStartName("start");
        auto& trigger = Place<Zone_TriggerScript::Instance>(*scene, "Zone_TriggerZone", 60.0f, "intro");
        trigger.scriptText.value = ":OnEnter\nsay hello";
        trigger.SetSize(Point<int>(64, 64));
        Place<Zone_PickupObject::Instance>(*scene, "Zone_PickupObject", 150.0f, "rank").kind.value = 27;
        Place<Zone_Save::Instance>(*scene, "Zone_Save", 250.0f, "save_gate").direction.value = "Right";
        Place<Zone_NPCSpawner_Door::Instance>(*scene, "Zone_NPCSpawner_Door", 320.0f, "gate_door")
            .DoorSide.value
            = 1;
        auto& exit = Place<Zone_LoadMap::Instance>(*scene, "Zone_LoadMap", 420.0f, "to_cave");
        exit.levelFile.value = "cave_01.lvl";
        exit.startPoint.value = "from_cemetery_01";
        std::ostringstream os;
        EXPECT_TRUE(level.Serialize(os));
        return os.str();
    }

    std::unique_ptr<Level> Load(const std::string& text)
    {
        auto level = std::make_unique<Level>();
        std::istringstream is(text);
        EXPECT_TRUE(level->UnSerialize(is)) << level->GetLoadError();
        level->SetSaveKey("cemetery_01");
        return level;
    }

    // One frame per step of 10 pixels from x0 to x1.
    void Walk(Level& level, float x0, float x1)
    {
        for (float x = x0; x <= x1; x += 10.0f) {
            level.UpdateInstances();
            player->SetPosition(Point<float>(x, 32.0f));
            level.UpdatePlayerContacts();
        }
    }

    Zone_PickupObject::Instance& PickupOf(Level& level)
    {
        Layer* scene = level.GetLayer(Level::kScene, "Collisions");
        return dynamic_cast<Zone_PickupObject::Instance&>(*scene->FindInstanceByName("rank")->GetPayload());
    }

    Game game;
    Player* player = nullptr;
};

TEST_F(ZoneLevel, AZoneOfAnySizeIsReadAsWritten)
{
    // The layer's only zone, -5 x 50 on a cell's edge: an empty extent.
    Level written("cemetery_01");
    Layer* scene = written.CreateLayer(Level::kScene, "Collisions", nullptr, 512, 448, 32, 32);
    Place<Zone_Save::Instance>(*scene, "Zone_Save", 128.0f, "thin").SetSize(Point<int>(-5, 50));
    std::ostringstream os;
    ASSERT_TRUE(written.Serialize(os));
    std::unique_ptr<Level> level = Load(os.str());
    Layer* read = level->GetLayer(Level::kScene, "Collisions");
    ASSERT_NE(read, nullptr);
    ASSERT_EQ(read->GetInstanceCount(), 1u);
    EXPECT_EQ(dynamic_cast<ZoneInstance&>(*read->GetInstance(0)->GetPayload()).GetSize(), Point<int>(-5, 50));
    Walk(*level, 0.0f, 300.0f);
}

TEST_F(ZoneLevel, AWalkThroughTheLevelTriggersTakesSavesAndLeaves)
{
    const std::string text = BuildLevelText();
    std::unique_ptr<Level> level = Load(text);
    // The level writes back to the same text: every payload loaded whole
    // (the fresh start point's format 0 is written as the 1 it reads as).
    std::ostringstream again;
    level->Serialize(again);
    const std::string fresh = "Point_PlayerStart::PointInstanceV0\r\n_SceneObjectInstance_updatetag_1.1_\r\n";
    EXPECT_NE(text.find(fresh + "1\r\n"), std::string::npos);
    EXPECT_EQ(again.str(), text);

    level->SpawnInstances();
    level->StartupZones();
    CharacterObject* door = game.FindCharacterByName("gate_door", nullptr);
    ASSERT_NE(door, nullptr);
    EXPECT_EQ(door->GetPosition(), Point<float>(320.0f, 32.0f));
    Layer* scene = level->GetLayer(Level::kScene, "Collisions");
    // The trigger's scripts wait in the level's queue, started on its behalf.
    auto labels = [&level] {
        std::vector<std::string> found;
        for (size_t i = 0; i < level->GetBackgroundEventCount(); ++i)
            if (auto* script = dynamic_cast<Script*>(level->GetBackgroundEvent(i)))
                found.push_back(script->GetStartLabel());
        return found;
    };
    EXPECT_EQ(labels(), (std::vector<std::string> {":onstartup"}));
    EXPECT_EQ(dynamic_cast<Script&>(*level->GetBackgroundEvent(0)).GetOwnerInstance(),
        scene->FindInstanceByName("intro"));
    EXPECT_EQ(ListFront(scene->FindInstancesByName("intro").get()), scene->FindInstanceByName("intro"));
    EXPECT_EQ(ListFront(scene->FindInstancesByName("nobody").get()), nullptr);
    EXPECT_EQ(ListFront(nullptr), nullptr);

    player->SetAttackRank(1);
    Walk(*level, 10.0f, 390.0f);
    EXPECT_EQ(labels(),
        (std::vector<std::string> {":onstartup", ":onenteronce", ":onenter", ":onleaveonce", ":onleave"}));
    EXPECT_EQ(player->GetAttackRank(), 2);
    EXPECT_FALSE(PickupOf(*level).IsEnabled());
    EXPECT_FALSE(scene->FindInstanceByName("save_gate")->GetPayload()->IsEnabled());
    EXPECT_EQ(game.pendingLevelFile, "");
    Walk(*level, 400.0f, 400.0f);
    EXPECT_EQ(game.pendingLevelFile, "cave_01.lvl");
    EXPECT_EQ(game.startPointName, "from_cemetery_01");

    // The save record of the level keeps the pickup taken: entering the
    // level again, it is gone and touching its place gives nothing.
    VectorSerialize states(true);
    PickupOf(*level).SaveState(&states);
    VectorSerialize saved(true);
    saved.Append(std::make_unique<StrSerialize>("cemetery_01"));
    saved.Append(std::make_unique<VectorSerialize>(true));
    auto* levelStates = saved.As<VectorSerialize>(1);
    for (size_t i = 0; i < states.Size(); ++i)
        levelStates->Append(std::make_unique<IntSerialize>(states.As<IntSerialize>(i)->value));

    std::unique_ptr<Level> reloaded = Load(text);
    reloaded->RestoreInstanceStates(&saved);
    reloaded->SpawnInstances();
    EXPECT_FALSE(PickupOf(*reloaded).IsEnabled());
    EXPECT_EQ(PickupOf(*reloaded).itemGraphic, nullptr);
    Walk(*reloaded, 10.0f, 300.0f);
    EXPECT_EQ(player->GetAttackRank(), 2);
    // The save point works again after the reload.
    EXPECT_FALSE(reloaded->GetLayer(Level::kScene, "Collisions")
                     ->FindInstanceByName("save_gate")
                     ->GetPayload()
                     ->IsEnabled());
}

} // namespace
