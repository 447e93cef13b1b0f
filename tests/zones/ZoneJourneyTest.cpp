#include "characters/Player.h"
#include "engine/config/GamePaths.h"
#include "engine/input/AbstractInputManager.h"
#include "game/Game.h"
#include "scene/CollisionShape.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/MapModel.h"
#include "zones/Point_PlayerStart.h"
#include "zones/Zone_LoadMap.h"
#include "zones/Zone_PickupObject.h"
#include "zones/Zone_Save.h"

#include "tests/game/FixedStepClock.h"
#include "tests/game/ScriptedInput.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Two levels written to files and played by the game's own frame update:
// the player walks right out of "first.lvl" through an exit, arrives in
// "second.lvl" at the start point the exit names, takes a pickup, saves at a
// save point and walks on; the game then reloads the save.
class ZoneJourney : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("quenholt-journey-" + std::to_string(getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        SetUserPath(folder.string() + "/");
        game.mapPath = folder.string();
        game.currentSaveSlot = 0;
        game.minimapModel = std::make_unique<MapModel>();
        game.frameDelay = 0; // every pass is an update frame
        for (const char* key : {"Point_PlayerStart", "Zone_LoadMap", "Zone_PickupObject", "Zone_Save"})
            game.CreateSceneObjectByClass(key, key, "(game play)");
        // The floor: 32 x 32 solid blocks whose tops make y = 32.
        auto* block = new GraphicalObject("Floor");
        block->SetSize(32, 32, true);
        block->CollisionShapeAt(0) = std::make_unique<CollisionBox<int>>(0, 31, 31, 0, 0);
        game.sceneObjects.push_back(block);
        WriteLevels(*block);
    }
    void TearDown() override
    {
        SetUserPath("");
        fs::remove_all(folder);
    }

    template <class Data> Data& Place(Layer& layer, const std::string& key, float x, const std::string& name)
    {
        auto* type = dynamic_cast<GameplayObject*>(Game::FindSceneObject(key, false));
        Layer::Instance* placed = layer.AddPlacedInstance(type, x, 32.0f);
        auto* data = dynamic_cast<Data*>(type->CreateInstance());
        data->SetName(name);
        placed->SetPayload(std::unique_ptr<SceneObjectInstance>(data));
        return *data;
    }
    Layer& NewLevelLayer(Level& level, GraphicalObject& block)
    {
        Layer* layer = level.CreateLayer(Level::kScene, "Collisions", nullptr, 2048, 448, 32, 32);
        for (int x = 0; x < 2048; x += 32)
            layer->AddPlacedInstance(&block, static_cast<float>(x), 0.0f);
        return *layer;
    }
    void WriteLevels(GraphicalObject& block)
    {
        Level first("first");
        Layer& a = NewLevelLayer(first, block);
        Place<Point_PlayerStart::Instance>(a, "Point_PlayerStart", 100.0f, "start").SetStartName("start");
        auto& exit = Place<Zone_LoadMap::Instance>(a, "Zone_LoadMap", 600.0f, "to_second");
        exit.SetSize(Point<int>(64, 96));
        exit.levelFile.value = "second.lvl";
        exit.startPoint.value = "from_first";
        ASSERT_TRUE(first.SaveFile((folder / "first.lvl").string()));

        Level second("second");
        Layer& b = NewLevelLayer(second, block);
        Place<Point_PlayerStart::Instance>(b, "Point_PlayerStart", 900.0f, "elsewhere")
            .SetStartName("elsewhere");
        Place<Point_PlayerStart::Instance>(b, "Point_PlayerStart", 100.0f, "from_first")
            .SetStartName("from_first");
        auto& pickup = Place<Zone_PickupObject::Instance>(b, "Zone_PickupObject", 400.0f, "heart");
        pickup.kind.value = 21; // two more points of life
        pickup.SetSize(Point<int>(32, 96));
        auto& save = Place<Zone_Save::Instance>(b, "Zone_Save", 700.0f, "save_stone");
        save.SetSize(Point<int>(32, 96));
        save.direction.value = "Right";
        ASSERT_TRUE(second.SaveFile((folder / "second.lvl").string()));
    }

    // Update passes with the keys until `done` holds; false when it never does.
    template <class Done> bool PlayUntil(InputActions keys, Done done, int limit = 200)
    {
        input->next = keys;
        for (int pass = 0; pass < limit; ++pass) {
            fixedStep.Pass(game);
            if (done())
                return true;
        }
        return false;
    }
    static InputActions Walk(float x)
    {
        InputActions keys;
        keys.x = x;
        return keys;
    }
    Player& ThePlayer() { return *game.GetPlayer(); }
    // Placed up to 10 pixels above the start point, the player may have
    // begun its fall to the floor, or been settled onto it, on arrival.
    void ExpectAtStart(Point<float> start)
    {
        EXPECT_EQ(ThePlayer().GetPosition().x, start.x);
        EXPECT_LE(ThePlayer().GetPosition().y, start.y + 10.0f);
        EXPECT_GE(ThePlayer().GetPosition().y, start.y);
    }
    std::string LevelName() { return game.GetCurrentLevel() ? game.GetCurrentLevel()->GetName() : ""; }
    Zone_PickupObject::Instance& Pickup()
    {
        Layer* layer = game.GetCurrentLevel()->GetLayer(Level::kScene, "Collisions");
        return dynamic_cast<Zone_PickupObject::Instance&>(*layer->FindInstanceByName("heart")->GetPayload());
    }

    fs::path folder;
    FixedStepClock fixedStep;
    ScriptedInput* input = new ScriptedInput();
    Game game {"Quenholt", nullptr, input, nullptr};
};

TEST_F(ZoneJourney, ExitArrivalPickupSaveAndReloadAtTheSavePoint)
{
    auto player = std::make_unique<Player>("Player");
    player->SetMaxLife(5);
    player->SetLife(5);
    game.SetPlayer(std::move(player));
    game.RequestLevelChange("first.lvl", "start");
    fixedStep.Pass(game);
    ASSERT_EQ(LevelName(), "first.lvl");
    ExpectAtStart(Point<float>(100.0f, 32.0f));
    // Right until the exit asks for the next level; the change comes with
    // the next pass, which the player spends standing still.
    ASSERT_TRUE(PlayUntil(Walk(1.0f), [&] { return !game.pendingLevelFile.empty(); }));
    EXPECT_EQ(game.startPointName, "from_first");
    input->next = Walk(0.0f);
    fixedStep.Pass(game);
    ASSERT_EQ(LevelName(), "second.lvl");
    ExpectAtStart(Point<float>(100.0f, 32.0f));

    // Through the pickup to the save point.
    const int life = ThePlayer().GetMaxLife();
    ASSERT_TRUE(PlayUntil(Walk(1.0f), [&] { return ThePlayer().GetPosition().x > 450.0f; }));
    EXPECT_EQ(ThePlayer().GetMaxLife(), life + 2);
    EXPECT_FALSE(Pickup().IsEnabled());
    EXPECT_EQ(game.saveData.GetScore(), 1);
    const fs::path slot = folder / "Save_0.sav";
    ASSERT_TRUE(PlayUntil(Walk(1.0f), [&] { return fs::exists(slot); }));
    EXPECT_EQ(game.saveData.GetPosition(), Point<float>(700.0f, 32.0f));
    EXPECT_EQ(game.saveData.GetDirection(), 1);
    EXPECT_EQ(game.saveData.GetMapName(), "second.lvl");
    ASSERT_TRUE(PlayUntil(Walk(1.0f), [&] { return ThePlayer().GetPosition().x > 1000.0f; }));

    // The reload: back in the saved level, at the save point, the pickup gone.
    game.pendingLoad = true;
    input->next = Walk(0.0f);
    fixedStep.Pass(game);
    ASSERT_EQ(LevelName(), "second.lvl");
    EXPECT_FALSE(game.pendingLoad);
    EXPECT_EQ(ThePlayer().GetPosition(), Point<float>(700.0f, 32.0f));
    EXPECT_FALSE(Pickup().IsEnabled());
    EXPECT_EQ(Pickup().itemGraphic, nullptr);
    EXPECT_EQ(game.saveData.GetScore(), 1);
    // The player comes back with what it had gained, and walking back over
    // the pickup's place gives nothing more.
    EXPECT_EQ(ThePlayer().GetMaxLife(), life + 2);
    EXPECT_EQ(ThePlayer().GetLife(), life + 2);
    ASSERT_TRUE(PlayUntil(Walk(-1.0f), [&] { return ThePlayer().GetPosition().x < 300.0f; }));
    EXPECT_EQ(ThePlayer().GetMaxLife(), life + 2);
}

} // namespace
