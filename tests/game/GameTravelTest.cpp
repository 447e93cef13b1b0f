#include "game/Game.h"

#include "characters/Player.h"
#include "engine/app/MainLoop.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/RenderPoolCommand.h"
#include "engine/render/RenderPoolManager.h"
#include "game/GameLoopAccess.h"
#include "game/GameStartup.h"
#include "scene/AnimatedSprite.h"
#include "scene/CollisionShape.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/MapModel.h"
#include "scene/Sprite.h"
#include "script/BackgroundEvent.h"
#include "tests/engine/platform/DebugCapture.h"
#include "tests/game/FixedStepClock.h"
#include "tests/game/ScriptedInput.h"
#include "tests/game/WorldTeleportHubs.h"
#include "zones/Point_MinimapLocation.h"
#include "zones/Point_PlayerStart.h"
#include "zones/Zone_LoadMap.h"
#include "zones/Zone_Save.h"
#include "zones/Zone_Teleport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

// The game played headless through its own main loop on small levels built
// here: the player walks through exits and arrives at their start points,
// finds teleporters, and travels by the teleport menu.
namespace {

namespace fs = std::filesystem;

InputActions Keys(float x, bool jump = false, bool attack = false)
{
    InputActions keys;
    keys.x = x;
    keys.Action1 = jump;
    keys.Action3 = attack;
    return keys;
}

// What one level holds: a floor from x = 0 to its width (the player stands
// at y = 96 on it), start points ("start" at x = 100 unless told), exits and
// teleporters, all on the floor.
struct LevelPlan {
    struct Exit {
        float x;
        std::string levelFile;
        std::string startPoint;
    };
    int width = 1024;
    std::vector<std::pair<std::string, float>> starts = {{"start", 100.0f}};
    std::vector<Exit> exits;
    std::vector<float> teleporters;
    // Save stones named "stone", 32 wide.
    std::vector<float> saveStones;
    // The level's cell of the world map, given by its marker when set.
    std::optional<Point<int>> mapCell;
};

constexpr float kFloor = 96.0f;

class GameTravel : public testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("quenholt-travel-" + std::to_string(getpid()));
        fs::create_directories(folder);
        pool->ready = 1;
        pool->idle = 1;
        game.frameDelay = 0; // every pass is an update frame
        game.mapPath = folder.string();
        game.minimapModel = std::make_unique<MapModel>(MapModel::Minimap {});
        for (const char* key :
            {"Point_PlayerStart", "Point_MinimapLocation", "Zone_LoadMap", "Zone_Teleport", "Zone_Save"})
            game.CreateSceneObjectByClass(key, key, "(game play)");
        block = dynamic_cast<GraphicalObject*>(
            game.CreateSceneObjectByClass("Block", "GraphicalObject", "tiles"));
        block->SetSize(32, 32, true);
        block->CollisionShapeAt(0) = std::make_unique<CollisionBox<int>>(0, 31, 31, 0, 0);
        // The poses the player shows, so that its facing can be read.
        for (const char* pose : {"GraphicalIdleL", "GraphicalIdleR", "GraphicalWalkL", "GraphicalWalkR",
                 "GraphicalFallL", "GraphicalFallR", "GraphicalJumpL", "GraphicalJumpR"})
            dynamic_cast<GraphicalObject*>(
                game.CreateSceneObjectByClass(std::string("Player ") + pose, "GraphicalObject", "player"))
                ->SetSize(64, 96, true);
    }
    void TearDown() override { fs::remove_all(folder); }

    template <class Data> Data& Place(Layer& layer, const std::string& key, float x, Point<int> size)
    {
        auto* type = dynamic_cast<GameplayObject*>(Game::FindSceneObject(key, false));
        Layer::Instance* placed = layer.AddPlacedInstance(type, x, kFloor);
        auto* data = dynamic_cast<Data*>(type->CreateInstance());
        if (auto* zone = dynamic_cast<ZoneInstance*>(data))
            zone->SetSize(size);
        placed->SetPayload(std::unique_ptr<SceneObjectInstance>(data));
        return *data;
    }

    void WriteLevel(const std::string& file, const LevelPlan& plan)
    {
        Level level(file);
        Layer* scene = level.CreateLayer(Level::kScene, "Collisions", nullptr, plan.width, 448, 32, 32);
        for (int x = 0; x < plan.width; x += 32)
            scene->AddPlacedInstance(block, static_cast<float>(x), kFloor - 32.0f);
        for (const auto& [name, x] : plan.starts) {
            auto& start = Place<Point_PlayerStart::Instance>(*scene, "Point_PlayerStart", x, {});
            start.SetName(name);
            start.SetStartName(name);
        }
        for (const LevelPlan::Exit& exit : plan.exits) {
            auto& zone = Place<Zone_LoadMap::Instance>(*scene, "Zone_LoadMap", exit.x, {32, 192});
            zone.levelFile.value = exit.levelFile;
            zone.startPoint.value = exit.startPoint;
        }
        for (float x : plan.teleporters)
            Place<Zone_Teleport::Instance>(*scene, "Zone_Teleport", x, {64, 96});
        for (float x : plan.saveStones)
            Place<Zone_Save::Instance>(*scene, "Zone_Save", x, {32, 96}).SetName("stone");
        if (plan.mapCell)
            Place<Point_MinimapLocation::Instance>(*scene, "Point_MinimapLocation", 0.0f, {}).point.value
                = *plan.mapCell;
        level.SetValues(0.0f, 0.0f);
        ASSERT_TRUE(level.SaveFile((folder / file).string()));
    }

    // Enters a level at a start point as the program entry does.
    void Enter(const std::string& file, const std::string& start)
    {
        game.SetStartPointName(start);
        ASSERT_TRUE(game.ChangeLevel(file));
        pool->loading = 0;
        pool->loadingHold = 0;
    }

    // Passes of the main loop with these keys held.
    void Pass(const InputActions& keys, int passes = 1)
    {
        for (int i = 0; i < passes; ++i) {
            input->next = keys;
            fixedStep.Step();
            loop.RunPass();
            pool->loading = 0;
            pool->loadingHold = 0;
        }
    }

    // Passes with the keys held until a level change is asked for; then
    // one pass with nothing held, which carries the change out.
    void WalkUntilChange(float x, int limit = 80)
    {
        for (int i = 0; i < limit && game.pendingLevelFile.empty(); ++i)
            Pass(Keys(x));
        ASSERT_FALSE(game.pendingLevelFile.empty()) << "no exit reached";
        Pass(Keys(0.0f));
    }

    Player& ThePlayer() { return *game.GetPlayer(); }
    std::string LevelName() const { return game.GetCurrentLevel() ? game.GetCurrentLevel()->GetName() : ""; }

    fs::path folder;
    WorldTeleportHubs hubs;
    DebugCapture debug;
    FixedStepClock fixedStep;
    DXRenderEngine* engine = new DXRenderEngine();
    RenderPoolManager* pool = engine->SetRenderPool(new RenderPoolManager(false));
    ScriptedInput* input = new ScriptedInput();
    Game game {"Quenholt", engine, input, nullptr};
    GameLoopAccess access {game};
    MainLoop loop {access, *engine};
    GraphicalObject* block = nullptr;
};

TEST_F(GameTravel, AnExitCarriesThePlayerToItsStartPointFacingTheWayItWalked)
{
    LevelPlan first;
    first.starts = {{"start", 100.0f}, {"from_cemetery_02", 700.0f}};
    first.exits = {{800.0f, "cemetery_02.lvl", "from_cemetery_01"}};
    LevelPlan second;
    second.starts = {{"from_cemetery_01", 300.0f}};
    second.exits = {{0.0f, "Cemetery_01.LVL", "from_cemetery_02"}};
    WriteLevel("cemetery_01.lvl", first);
    WriteLevel("cemetery_02.lvl", second);
    Enter("cemetery_01.lvl", "start");
    // Set on the floor below the point.
    EXPECT_EQ(ThePlayer().GetPosition().x, 100.0f);
    EXPECT_NEAR(ThePlayer().GetPosition().y, kFloor, 0.11f);

    // Walk right into the exit: the next level, on the floor at its start
    // point, facing right.
    WalkUntilChange(1.0f);
    EXPECT_EQ(LevelName(), "cemetery_02.lvl");
    EXPECT_FLOAT_EQ(ThePlayer().GetPosition().x, 300.0f);
    EXPECT_NEAR(ThePlayer().GetPosition().y, kFloor, 0.11f);
    EXPECT_EQ(ThePlayer().GetFacingFromAnimation(), 1);
    EXPECT_FALSE(game.IsMenuFlagSet());
    Pass(Keys(0.0f), 10);
    EXPECT_NEAR(ThePlayer().GetPosition().y, kFloor, 0.11f) << "still standing";

    // And back west: the file named in other letters is the same level.
    WalkUntilChange(-1.0f);
    EXPECT_EQ(LevelName(), "cemetery_01.lvl");
    EXPECT_FLOAT_EQ(ThePlayer().GetPosition().x, 700.0f);
    EXPECT_EQ(ThePlayer().GetFacingFromAnimation(), -1);
}

TEST_F(GameTravel, APlayerArrivingInsideAnExitStaysUntilHeWalksOutAndBackIn)
{
    // The start point lies inside an exit that leads back to it: arriving
    // there sends nobody round; leaving and entering again does.
    LevelPlan loop;
    loop.starts = {{"start", 100.0f}, {"loop", 520.0f}};
    loop.exits = {{500.0f, "loop.lvl", "loop"}};
    WriteLevel("loop.lvl", loop);
    Enter("loop.lvl", "loop");
    debug.Clear();
    Pass(Keys(0.0f), 30);
    EXPECT_EQ(game.pendingLevelFile, "");
    EXPECT_EQ(debug.Text().find("ChangeLevel: entered"), std::string::npos) << debug.Text();

    Pass(Keys(-1.0f), 10);
    EXPECT_LT(ThePlayer().GetPosition().x, 420.0f) << "walked out of the exit";
    EXPECT_EQ(game.pendingLevelFile, "");
    WalkUntilChange(1.0f);
    EXPECT_EQ(LevelName(), "loop.lvl");
    EXPECT_FLOAT_EQ(ThePlayer().GetPosition().x, 520.0f);
    Pass(Keys(0.0f), 30);
    EXPECT_EQ(game.pendingLevelFile, "") << "arrived inside again: not sent on";
}

TEST_F(GameTravel, AnExitToSomethingThatIsNoLevelFileIsRefusedByNameAndPlayGoesOn)
{
    // A pipe would block the open, a device never end: both are refused
    // unread and the player stays where he was. An exit names a file of the
    // level folder: a path is refused by its name alone.
    ASSERT_EQ(::mkfifo((folder / "pipe.lvl").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", folder / "zero.lvl");
    const std::pair<std::string, std::string> targets[] = {
        {"zero.lvl", "ChangeLevel: the level \"zero.lvl\" is not a regular file"},
        {"pipe.lvl", "ChangeLevel: the level \"pipe.lvl\" is not a regular file"},
        {"/dev/zero", "ChangeLevel: the level name \"/dev/zero\" is refused"},
    };
    for (const auto& [target, said] : targets) {
        SCOPED_TRACE(target);
        LevelPlan first;
        first.exits = {{300.0f, target, "start"}};
        WriteLevel("cemetery_01.lvl", first);
        Enter("cemetery_01.lvl", "start");
        game.pendingLevelFile.clear(); // the last case's exit, asked again
        debug.Clear();
        WalkUntilChange(1.0f);
        EXPECT_EQ(LevelName(), "cemetery_01.lvl");
        EXPECT_NE(debug.Text().find(said), std::string::npos) << debug.Text();
    }
}

// An exit to a start point the level lacks leaves the player at the level's
// stored view, centred, and says which point was missing; the default
// spawner stands only for an empty name.
TEST_F(GameTravel, AMissingStartPointLeavesThePlayerAtTheStoredViewAndSaysWhich)
{
    LevelPlan first;
    first.exits = {{300.0f, "cemetery_02.lvl", "nowhere"}};
    LevelPlan second;
    second.starts = {{"gate", 500.0f}};
    WriteLevel("cemetery_01.lvl", first);
    WriteLevel("cemetery_02.lvl", second);
    ASSERT_TRUE(game.console.ExecuteCommand("setdefaultspawner gate"));
    Enter("cemetery_01.lvl", "start");
    WalkUntilChange(1.0f);
    EXPECT_EQ(LevelName(), "cemetery_02.lvl");
    EXPECT_NE(debug.Text().find("the level \"cemetery_02.lvl\" has no start point \"nowhere\"\n"),
        std::string::npos)
        << debug.Text();
    Enter("cemetery_02.lvl", "nowhere");
    EXPECT_EQ(ThePlayer().GetPosition(), Point<float>(256.0f, 224.0f));

    Enter("cemetery_02.lvl", "");
    EXPECT_FLOAT_EQ(ThePlayer().GetPosition().x, 500.0f);
}

TEST_F(GameTravel, TwoTeleportersFoundThenTheMenuTakesThePlayerBack)
{
    LevelPlan hubOne;
    hubOne.teleporters = {300.0f};
    hubOne.exits = {{600.0f, "cimetery_tp_02.lvl", "from_tp01"}};
    LevelPlan hubTwo;
    hubTwo.starts = {{"from_tp01", 100.0f}};
    hubTwo.teleporters = {320.0f};
    hubTwo.mapCell = Point<int>(21, 22);
    WriteLevel("cimetery_tp_01.lvl", hubOne);
    WriteLevel("cimetery_tp_02.lvl", hubTwo);
    Enter("cimetery_tp_01.lvl", "start");

    // The first teleporter: found, one point, the message, but no use hint.
    for (int i = 0; i < 40 && game.teleports.empty(); ++i)
        Pass(Keys(1.0f));
    ASSERT_EQ(game.teleports.size(), 1u);
    EXPECT_EQ(game.teleports[0].levelFile, "cimetery_tp_01.lvl");
    EXPECT_EQ(game.saveData.GetScore(), 1);
    BackgroundEvent* text = BackgroundEvent::FindByTypeName("BGEvent_ShowText");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetName(), "DiscoverTeleport");

    // On through the exit; the record travels with the player.
    WalkUntilChange(1.0f);
    ASSERT_EQ(LevelName(), "cimetery_tp_02.lvl");
    ASSERT_EQ(game.teleports.size(), 1u);
    for (int i = 0; i < 40 && game.teleports.size() < 2; ++i)
        Pass(Keys(1.0f));
    ASSERT_EQ(game.teleports.size(), 2u);
    EXPECT_EQ(game.saveData.GetScore(), 2);
    EXPECT_EQ(game.teleports[1].cell, Point<int>(21, 22)) << "the hub's cell, from its map marker";

    // Standing in it: the use hint once the message is over.
    Pass(Keys(0.0f), 40);
    text = BackgroundEvent::FindByTypeName("BGEvent_ShowText");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetName(), "CanUseTeleport");

    // The use action opens the menu over black.
    Pass(Keys(0.0f, false, true));
    EXPECT_EQ(game.uiState, 4);
    EXPECT_TRUE(game.IsMenuFlagSet());
    EXPECT_EQ(game.teleportMap.mapMode, 1);
    Pass(Keys(0.0f));
    int rects = 0;
    for (const RenderPoolCommand& command : pool->frameCommands[pool->renderSlot.load()])
        rects += command.IsRect() ? 1 : 0;
    // The fixture's library has none of the row's pictures: the row draws
    // no plain squares in their place.
    EXPECT_EQ(rects, 1);
    // The cursor skips the hub the player stands in.
    EXPECT_EQ(game.teleportMap.cursor, 0);

    // Confirming travels to the first hub's teleporter.
    Pass(Keys(0.0f, true));
    EXPECT_EQ(game.pendingLevelFile, "cimetery_tp_01.lvl");
    EXPECT_EQ(game.startPointName, "[TELEPORT]");
    Pass(Keys(0.0f));
    ASSERT_EQ(LevelName(), "cimetery_tp_01.lvl");
    EXPECT_FLOAT_EQ(ThePlayer().GetPosition().x, 332.0f); // 300 + 64 / 2
    EXPECT_FALSE(game.IsMenuFlagSet());
    EXPECT_EQ(game.teleportMap.mapMode, 0);
    EXPECT_EQ(game.teleports.size(), 2u);
}

TEST_F(GameTravel, AReloadStandsTheNewPlayerAtTheSavedPlaceFacingTheSavedSide)
{
    WriteLevel("cemetery_01.lvl", LevelPlan());
    for (const int side : {-1, 1}) {
        SCOPED_TRACE(side);
        game.SetPlayer(nullptr);
        game.saveData.SetPosition(600.0f, kFloor + 40.0f);
        game.saveData.SetDirection(side);
        game.saveData.SetMaxLife(6);
        Enter("cemetery_01.lvl", "[SAVE]");
        EXPECT_FLOAT_EQ(ThePlayer().GetPosition().x, 600.0f);
        EXPECT_NEAR(ThePlayer().GetPosition().y, kFloor, 0.11f) << "set on the floor below";
        EXPECT_EQ(ThePlayer().GetFacingFromAnimation(), side);
        EXPECT_EQ(ThePlayer().GetLife(), 6) << "the new player's life is the saved one";
    }
}

TEST_F(GameTravel, TheLoadingScreenShowsThePlayersLastLookOnBlackWhileOneIsKept)
{
    GraphicalObject screen("Game_LoadingScreen_512_448");
    GraphicalObject look("Player DieR");
    game.loadingScreen = &screen;
    const auto blackScreens = [&] {
        fixedStep.Step();
        game.Render(true);
        int found = 0;
        for (const RenderPoolCommand& command : pool->frameCommands[pool->renderSlot.load()])
            if (command.IsRect() && command.GetRectSize() == Point<int>(512, 448)
                && command.GetColour() == 0xFF000000u)
                ++found;
        return found;
    };
    EXPECT_EQ(blackScreens(), 0);
    game.transitionImage = &look;
    game.transitionPosition = Point<int>(200, 150);
    EXPECT_EQ(blackScreens(), 1);
    game.transitionImage = nullptr;
    game.loadingScreen = nullptr;
}

// A player who dies holding a key is brought back from the save in the
// respawn pose of the side it faces, with no fade of the screen, and nothing
// it holds moves it until that pose has played: it stands at the save point,
// and the save stone beside it is not touched before. A plain entry shows no
// respawn, and gives a new player no look.
TEST_F(GameTravel, AKeyHeldThroughADeathMovesTheRespawnedPlayerOnlyOnceItStands)
{
    // The looks outlive the game that holds them.
    static Sprite frame {"frame", "frame.png", 0, 0, 63, 95};
    static AnimatedSprite respawn("respawn");
    if (respawn.GetFrameCount() == 0) {
        for (int i = 0; i < 8; ++i) // 100 ms each, as the world's pose
            respawn.AddFrame(&frame, 100.0f, 0.0f);
        respawn.SetLoopStart(-1);
    }
    for (const char* pose : {"Player RespawnL", "Player RespawnR"}) {
        auto* look = dynamic_cast<GraphicalObject*>(
            game.CreateSceneObjectByClass(pose, "GraphicalObject", "player"));
        look->SetSize(64, 96, true);
        look->AddAnimatedInstance(&respawn, 0, 0);
    }
    LevelPlan plan;
    plan.saveStones = {500.0f};
    WriteLevel("cemetery_01.lvl", plan);
    const auto stoneEnabled = [&] {
        Layer* scene = game.GetCurrentLevel()->GetLayer(Level::kScene, "Collisions");
        const auto found = scene->FindInstancesByName("stone");
        return found->size() == 1 && found->front()->GetPayload()->IsEnabled();
    };
    for (const int side : {-1, 1}) {
        SCOPED_TRACE(side);
        game.SetPlayer(nullptr);
        Enter("cemetery_01.lvl", "start");
        game.SaveGameAt(600.0f, kFloor, side); // no slot: kept in the game only
        ThePlayer().SetLife(0);
        for (int i = 0; i < 5 && ThePlayer().GetMoveState() != Player::kRespawning; ++i)
            Pass(Keys(-1.0f));
        ASSERT_EQ(ThePlayer().GetMoveState(), Player::kRespawning) << "no arrival";
        EXPECT_EQ(game.secondTransitionCounter, -1);
        ASSERT_NE(ThePlayer().GetCurrentAnimation(), nullptr);
        EXPECT_EQ(
            ThePlayer().GetCurrentAnimation()->GetName(), side < 0 ? "Player RespawnL" : "Player RespawnR");
        // The pose plays its 800 ms, from the arrival's own update on.
        int posing = 0;
        while (ThePlayer().GetMoveState() == Player::kRespawning && posing < 100) {
            ASSERT_FLOAT_EQ(ThePlayer().GetPosition().x, 600.0f) << "update " << posing;
            ASSERT_TRUE(stoneEnabled()) << "update " << posing;
            Pass(Keys(-1.0f));
            ++posing;
        }
        EXPECT_EQ(posing, 24);
        // He stands: the held key walks him onto the stone.
        Pass(Keys(-1.0f));
        EXPECT_LT(ThePlayer().GetPosition().x, 600.0f);
        for (int i = 0; i < 10 && stoneEnabled(); ++i)
            Pass(Keys(-1.0f));
        EXPECT_FALSE(stoneEnabled());
    }
    Enter("cemetery_01.lvl", "start");
    EXPECT_EQ(ThePlayer().GetMoveState(), Player::kIdle);
    game.SetPlayer(nullptr);
    Enter("cemetery_01.lvl", "start");
    EXPECT_EQ(ThePlayer().GetCurrentAnimation(), nullptr);
}

// The lock a death takes is lifted once the player brought back stands,
// whichever way the respawn goes; until then the key held through it all
// moves nobody. A cut-scene's lock taken meanwhile outlives the respawn.
TEST_F(GameTravel, TheLockOfADeathIsLiftedOnceTheRespawnedPlayerStandsWhateverTheWay)
{
    enum class Meanwhile { kNothing, kOtherState, kLevelChange, kDeath, kLoad, kPause, kCutScene };
    struct Row {
        const char* path;
        bool pose;
        float savedAbove; // over the floor: above 64 there is none within reach
        Meanwhile meanwhile;
    };
    // The rows without a pose first: the poses, once made, stay in the game.
    const Row rows[] = {
        {"no pose", false, 0.0f, Meanwhile::kNothing},
        {"no pose, a fall", false, 200.0f, Meanwhile::kNothing},
        {"the pose played out", true, 0.0f, Meanwhile::kNothing},
        {"a fall cuts the pose short", true, 200.0f, Meanwhile::kNothing},
        {"another state cuts the pose short", true, 0.0f, Meanwhile::kOtherState},
        {"a level change", true, 0.0f, Meanwhile::kLevelChange},
        {"a level change in the fall", true, 200.0f, Meanwhile::kLevelChange},
        {"a second death", true, 0.0f, Meanwhile::kDeath},
        {"a load", true, 200.0f, Meanwhile::kLoad},
        {"the pause menu in the pose", true, 0.0f, Meanwhile::kPause},
        {"the pause menu in the fall", true, 200.0f, Meanwhile::kPause},
        {"a cut-scene's lock", true, 0.0f, Meanwhile::kCutScene},
    };
    static Sprite frame {"frame", "frame.png", 0, 0, 63, 95};
    static AnimatedSprite respawn("respawn");
    if (respawn.GetFrameCount() == 0) {
        for (int i = 0; i < 8; ++i)
            respawn.AddFrame(&frame, 100.0f, 0.0f);
        respawn.SetLoopStart(-1);
    }
    WriteLevel("cemetery_01.lvl", LevelPlan());
    WriteLevel("cemetery_02.lvl", LevelPlan());
    const auto dieAndComeBack = [&] {
        ThePlayer().SetLife(0);
        for (int i = 0; i < 5 && ThePlayer().GetLife() == 0; ++i)
            Pass(Keys(-1.0f));
        ASSERT_GT(ThePlayer().GetLife(), 0) << "not brought back";
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        if (row.pose && Game::FindSceneObject("Player RespawnL", false) == nullptr)
            for (const char* pose : {"Player RespawnL", "Player RespawnR"})
                dynamic_cast<GraphicalObject*>(
                    game.CreateSceneObjectByClass(pose, "GraphicalObject", "player"))
                    ->AddAnimatedInstance(&respawn, 0, 0);
        game.SetPlayer(nullptr);
        Enter("cemetery_01.lvl", "start");
        game.SaveGameAt(600.0f, kFloor + row.savedAbove, 1);
        ASSERT_NO_FATAL_FAILURE(dieAndComeBack());
        // Without a pose a player arriving on the floor stands at once.
        EXPECT_EQ(ThePlayer().IsRespawning(), row.pose || row.savedAbove > 0.0f);
        Pass(Keys(-1.0f), 3);
        switch (row.meanwhile) {
        case Meanwhile::kOtherState:
            ThePlayer().SetPendingMoveState(Player::kCrouch);
            break;
        case Meanwhile::kLevelChange:
            ASSERT_TRUE(game.console.ExecuteCommand("changelevel cemetery_02.lvl start"));
            Pass(Keys(-1.0f));
            ASSERT_EQ(LevelName(), "cemetery_02.lvl");
            break;
        case Meanwhile::kDeath:
            ASSERT_NO_FATAL_FAILURE(dieAndComeBack());
            EXPECT_TRUE(ThePlayer().IsRespawning());
            break;
        case Meanwhile::kLoad:
            // A new player is named "Player"; the allocator may give it the
            // old one's address, so the old one is told apart by its name.
            ThePlayer().SetName("the player before the load");
            game.pendingLoad = true;
            Pass(Keys(-1.0f));
            EXPECT_EQ(ThePlayer().GetName(), "Player") << "the load made no new player";
            EXPECT_TRUE(ThePlayer().IsRespawning());
            break;
        case Meanwhile::kPause:
            game.SetMenuFlag(true);
            game.OpenPauseMenu();
            Pass(Keys(0.0f), 40);
            EXPECT_TRUE(ThePlayer().IsInputLocked());
            game.SetMenuFlag(false);
            break;
        case Meanwhile::kCutScene:
            ThePlayer().SetInputLocked(true); // as "IgnoreInputs 1" does
            break;
        case Meanwhile::kNothing:
            break;
        }
        // A fall drifts the way the save faced (right), never the way held.
        for (int pass = 0; pass < 60 && ThePlayer().IsRespawning(); ++pass) {
            EXPECT_TRUE(ThePlayer().IsInputLocked());
            const float x = ThePlayer().GetPosition().x;
            Pass(Keys(-1.0f));
            // The update that ends the respawn reads the keys.
            if (ThePlayer().IsRespawning() && ThePlayer().GetPosition().x < x) {
                ADD_FAILURE() << "moved by the held key, pass " << pass;
                break;
            }
        }
        if (ThePlayer().IsRespawning()) {
            ADD_FAILURE() << "still respawning in move state " << ThePlayer().GetMoveState();
            continue;
        }
        EXPECT_NEAR(ThePlayer().GetPosition().y, kFloor, 0.11f) << "not on the floor";
        const float standing = ThePlayer().GetPosition().x;
        if (row.meanwhile == Meanwhile::kCutScene) {
            Pass(Keys(-1.0f), 5);
            EXPECT_FLOAT_EQ(ThePlayer().GetPosition().x, standing)
                << "the cut-scene's lock went with the respawn";
            ThePlayer().SetInputLocked(false);
        }
        EXPECT_FALSE(ThePlayer().IsInputLocked()) << "locked in move state " << ThePlayer().GetMoveState();
        // A high fall's freeze holds the player a while on landing.
        for (int pass = 0; pass < 30 && ThePlayer().GetPosition().x >= standing - 8.0f; ++pass)
            Pass(Keys(-1.0f));
        EXPECT_LT(ThePlayer().GetPosition().x, standing - 8.0f) << "the held key does not move the player";
    }
}

// The player is set on the ground with the standing box whatever its form,
// and keeps its own size and box afterwards.
TEST_F(GameTravel, ThePlayerArrivesOnTheGroundKeepingItsSizeAndBox)
{
    WriteLevel("cemetery_01.lvl", LevelPlan());
    Enter("cemetery_01.lvl", "start");
    EXPECT_EQ(ThePlayer().GetSize(), Point<int>(64, 96));
    EXPECT_NEAR(ThePlayer().GetPosition().y, kFloor, 0.11f);
    EXPECT_FLOAT_EQ(ThePlayer().GetWorldBox().top - ThePlayer().GetWorldBox().bottom, 96.0f);

    ThePlayer().ToggleSpiderForm();
    ASSERT_TRUE(ThePlayer().IsSpiderForm());
    Enter("cemetery_01.lvl", "start");
    EXPECT_TRUE(ThePlayer().IsSpiderForm());
    EXPECT_EQ(ThePlayer().GetSize(), Point<int>(64, 31));
    EXPECT_FLOAT_EQ(ThePlayer().GetWorldBox().top - ThePlayer().GetWorldBox().bottom, 31.0f);
    EXPECT_NEAR(ThePlayer().GetPosition().y, kFloor, 0.11f);
}

// While the player dies, the loading screen keeps the library's pose it
// shows (not the player's own copy, which the reload deletes).
TEST_F(GameTravel, ADyingPlayersLastLookIsKeptForTheLoadingScreen)
{
    auto* die = dynamic_cast<GraphicalObject*>(
        game.CreateSceneObjectByClass("Player DieR", "GraphicalObject", "player"));
    die->SetSize(64, 96, true);
    WriteLevel("cemetery_01.lvl", LevelPlan());
    game.SetPlayer(nullptr);
    Enter("cemetery_01.lvl", "start");
    Pass(Keys(1.0f)); // a step to the right: the player faces right
    game.KeepPlayersLastLook();
    EXPECT_EQ(game.transitionImage, nullptr) << "a living player leaves no look";
    ThePlayer().SetLife(0);
    Pass(Keys(0.0f));
    ASSERT_EQ(ThePlayer().GetMoveState(), Player::kDying);
    game.KeepPlayersLastLook();
    EXPECT_EQ(game.transitionImage, die);
    EXPECT_NE(ThePlayer().GetCurrentAnimation(), die) << "the player shows its own copy";
    game.transitionImage = nullptr;
}

} // namespace
