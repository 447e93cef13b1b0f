#include "game/Game.h"

#include "characters/Player.h"
#include "engine/app/MainLoop.h"
#include "engine/platform/DebugOutput.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/RenderPoolManager.h"
#include "engine/serial/FileUtils.h"
#include "engine/serial/ReaderContext.h"
#include "game/GameLoopAccess.h"
#include "game/GameStartup.h"
#include "game/PlayState.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/MapModel.h"
#include "scene/SpacialInstance.h"
#include "script/BackgroundEvent.h"
#include "script/ScriptVar.h"
#include "tests/game/ScriptedInput.h"
#include "tests/game/WorldTeleportHubs.h"
#include "tests/tools/WorldFolderTest.h"
#include "tools/world/WorldText.h"
#include "zones/ZoneInstance.h"
#include "zones/Zone_Save.h"
#include "zones/Zone_Teleport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

// The assembled world (build/world), played through the game's main loop
// headless: the cemetery's two first hubs, each teleporter found in turn,
// then the teleport menu takes the player from the second hub back to the
// first; and every place where a player who dies comes back.
namespace {

// The save stones of a level's scene layers, each once.
std::vector<Layer::Instance*> SaveStones(Level& level)
{
    std::vector<Layer::Instance*> stones;
    for (int i = 0; i < level.GetLayerCount(Level::kScene); ++i) {
        const Layer* layer = level.GetLayerAt(Level::kScene, i);
        if (layer == nullptr)
            continue;
        for (const auto& column : layer->GetCellGrid())
            for (const auto& cell : column)
                for (Layer::Instance* instance : cell)
                    if (instance != nullptr
                        && dynamic_cast<Zone_Save::Instance*>(instance->GetPayload()) != nullptr
                        && std::find(stones.begin(), stones.end(), instance) == stones.end())
                        stones.push_back(instance);
    }
    return stones;
}

class GameTravelWorld : public WorldFolderTest {
protected:
    GameTravelWorld()
        : WorldFolderTest("quenholt-travel-world")
    {
    }

    void SetUp() override
    {
        WorldFolderTest::SetUp();
        if (IsSkipped())
            return;
        hubs.emplace();
        pool->ready = 1;
        pool->idle = 1;
        ASSERT_TRUE(ReadLibrary(game)) << debug.Text();
        RunSettings(game);
        game.minimapModel = std::make_unique<MapModel>(MapModel::Minimap {});
        game.frameDelay = 0;
    }
    void TearDown() override
    {
        hubs.reset();
        WorldFolderTest::TearDown();
    }

    void Pass(const InputActions& keys = InputActions(), int count = 1)
    {
        for (int pass = 0; pass < count; ++pass) {
            input->next = keys;
            fixedStep.Step();
            loop.RunPass();
            pool->loading = 0;
            pool->loadingHold = 0;
        }
    }
    bool BoxShown() { return game.uiFrames.at(0)->IsVisible(); }
    // The level's teleporter: where it stands and how wide it is.
    std::pair<Point<float>, int> Teleporter()
    {
        auto* placed = game.GetCurrentLevel()->FindInstanceByClass(
            Zone_Teleport::Instance::VersionedClassName(), Level::kScene);
        EXPECT_NE(placed, nullptr) << game.GetCurrentLevel()->GetName();
        if (placed == nullptr)
            return {};
        return {placed->GetPosition(), dynamic_cast<ZoneInstance&>(*placed->GetPayload()).GetSize().x};
    }
    // Enters the hub at its start point and puts the player in its ring.
    void FindTeleporterOf(const std::string& hub, size_t known)
    {
        ASSERT_TRUE(game.console.ExecuteCommand("changelevel " + hub + " start"));
        Pass();
        ASSERT_EQ(game.GetCurrentLevel()->GetName(), ToLowerCase(hub));
        const auto [at, width] = Teleporter();
        game.GetPlayer()->SetPosition(at + Point<float>(static_cast<float>(width / 2 - 32), 0.0f));
        for (int i = 0; i < 5 && game.teleports.size() < known; ++i)
            Pass();
        ASSERT_EQ(game.teleports.size(), known) << debug.Text();
    }
    // From the first level, the two hubs' rings found in turn; the player
    // stays in the second one until its use text and hint show.
    void StandInTheSecondHubsRing()
    {
        game.SetStartPointName("start");
        ASSERT_TRUE(game.ChangeLevel("cemetery_01.lvl")) << debug.Text();
        FindTeleporterOf("Cimetery_TP_01.lvl", 1);
        FindTeleporterOf("Cimetery_TP_02.lvl", 2);
        Pass(InputActions(), 60);
    }

    std::optional<WorldTeleportHubs> hubs;
    DXRenderEngine* engine = new DXRenderEngine();
    RenderPoolManager* pool = engine->SetRenderPool(new RenderPoolManager(false));
    ScriptedInput* input = new ScriptedInput();
    Game game {"Quenholt", engine, input, nullptr};
    GameLoopAccess access {game};
    MainLoop loop {access, *engine};
};

TEST_F(GameTravelWorld, TheMenuOfTheSecondHubTakesThePlayerToTheFirstHubsRing)
{
    ASSERT_NO_FATAL_FAILURE(StandInTheSecondHubsRing());
    EXPECT_EQ(game.teleports[0].levelFile, "cimetery_tp_01.lvl");
    EXPECT_EQ(game.teleports[1].levelFile, "cimetery_tp_02.lvl");
    // Each record holds its hub's cell of the world map, as its marker gives it.
    EXPECT_EQ(game.teleports[1].cell, game.GetCurrentLevel()->GetMinimapPoint());

    // The use action, once the messages are over, opens the menu.
    InputActions use;
    use.Action3 = true;
    Pass(use);
    ASSERT_EQ(game.uiState, 4) << "the use action did not open the menu";
    Pass();
    EXPECT_EQ(game.teleportMap.cursor, 0);
    InputActions confirm;
    confirm.Action1 = true;
    Pass(confirm);
    Pass();
    ASSERT_EQ(game.GetCurrentLevel()->GetName(), "cimetery_tp_01.lvl");
    const auto [at, width] = Teleporter();
    EXPECT_FLOAT_EQ(game.GetPlayer()->GetPosition().x, at.x + static_cast<float>(width / 2));
    EXPECT_NEAR(game.GetPlayer()->GetPosition().y, at.y, 64.0f);
    EXPECT_FALSE(game.IsMenuFlagSet());
    EXPECT_EQ(game.teleports.size(), 2u);
}

TEST_F(GameTravelWorld, EscapeInTheRingPausesLikeEverywhereElse)
{
    // The ring's use text and help show while the player stands in it.
    ASSERT_NO_FATAL_FAILURE(StandInTheSecondHubsRing());
    ASSERT_FALSE(game.IsMenuFlagSet());
    ASSERT_TRUE(game.uiFrames.front()->IsVisible()) << "the hint's box shows";
    InputActions escape;
    escape.SetAction9();
    Pass(escape);
    Pass(InputActions(), 5);
    EXPECT_TRUE(game.IsMenuFlagSet()) << "Escape did not pause in the ring";
    EXPECT_NE(game.uiState, 4) << "the teleport menu opened instead of the pause menu";
    // The pause menu is drawn over the hint's box, which stays as it is.
    EXPECT_TRUE(game.uiFrames.front()->IsVisible());
    EXPECT_TRUE(game.uiFrames[2]->IsVisible());
    game.SetMenuFlag(false);
    Pass(InputActions(), 2);
    EXPECT_TRUE(game.uiFrames.front()->IsVisible());
}

// A level change while the player stands in a ring with its hint shown
// leaves neither the hint nor its box behind, and the player walks on.
TEST_F(GameTravelWorld, ALevelChangeInARingWithItsHintShownLeavesNoHintBehind)
{
    ASSERT_NO_FATAL_FAILURE(StandInTheSecondHubsRing());
    ASSERT_NE(BackgroundEvent::FindByTypeName("BGEvent_DialogueManager"), nullptr) << "the hint shows";
    ASSERT_TRUE(game.uiFrames.front()->IsVisible());

    ASSERT_TRUE(game.console.ExecuteCommand("changelevel cemetery_02.lvl start"));
    Pass();
    ASSERT_EQ(game.GetCurrentLevel()->GetName(), "cemetery_02.lvl");
    EXPECT_EQ(BackgroundEvent::FindByTypeName("BGEvent_DialogueManager"), nullptr);
    EXPECT_EQ(BackgroundEvent::FindByTypeName("BGEvent_ShowText"), nullptr);
    EXPECT_FALSE(game.uiFrames.front()->IsVisible()) << "the hint's box stayed";
    Pass(InputActions(), 30);
    const float before = game.GetPlayer()->GetPosition().x;
    InputActions right;
    right.x = 1.0f;
    Pass(right, 30);
    EXPECT_GT(game.GetPlayer()->GetPosition().x, before + 16.0f) << "the player does not walk";
}

// Every place of the world where a player who dies comes back: each save
// stone, each place a level's script saves at ("SaveGame"), and the start
// point of a level whose game was never saved. At each the player dies,
// comes back, and within 3 s (90 updates) of standing walks both ways and
// jumps by the keys held. The places that fail are named at the end.
TEST_F(GameTravelWorld, AtEveryPlaceOfRespawnThePlayerWalksBothWaysAndJumpsSoonAfterStanding)
{
    // Every level of the world with the markers its scripts save at
    // ("SaveGame <slot> <marker>"), so that a place added to the world is
    // walked too; the stones are found in each level, and "start" is the
    // start point of the first level, where a game never saved begins.
    std::vector<std::pair<std::string, std::vector<std::string>>> levels;
    for (const auto& file : std::filesystem::directory_iterator("levels")) {
        std::vector<std::string> markers;
        if (file.path().filename() == "cemetery_01.lvl")
            markers.push_back("start");
        // A script's statements are split by ';'.
        std::string all = ReadWholeFile(file.path().string());
        std::replace(all.begin(), all.end(), ';', ' ');
        std::istringstream text(all);
        std::string word, slot, marker;
        while (text >> word)
            if (word == "SaveGame" && text >> slot >> marker
                && std::find(markers.begin(), markers.end(), marker) == markers.end())
                markers.push_back(marker);
        levels.emplace_back(file.path().filename().string(), std::move(markers));
    }
    std::sort(levels.begin(), levels.end());
    ASSERT_GE(levels.size(), 31u);
    struct Place {
        std::string name;
        Point<float> at;
        int facing = 1;
    };
    // Past the first level's intro, a cut-scene of its own.
    game.CreateSaveVar("intro_done")->SetValue("1");
    game.CreateSaveVar("intro_seen")->SetValue("1");
    // Passes until done, reading on any box that shows with the jump key
    // (the use key would open the teleport menu in a ring) and closing the
    // map a pickup opens with the second action key.
    InputActions jump, close;
    jump.Action1 = true;
    close.Action2 = true;
    const auto waitFor = [&](const std::function<bool()>& done) {
        for (int pass = 0; pass < 600 && !done(); ++pass) {
            const InputActions& key = game.IsMenuFlagSet() ? close : BoxShown() ? jump : InputActions();
            Pass(pass % 2 == 0 ? key : InputActions());
        }
    };
    // Played on: no arrival shown, no box, no cut-scene, no menu.
    const auto settled = [&] {
        return game.arrivalCounter == -1 && !BoxShown() && !game.gameplayPaused && !game.IsMenuFlagSet();
    };
    std::vector<std::string> failed;
    int places = 0;
    for (const auto& [level, markers] : levels) {
        ASSERT_TRUE(game.console.ExecuteCommand("changelevel " + level + " start"));
        Pass();
        ASSERT_EQ(game.GetCurrentLevel()->GetName(), ToLowerCase(level)) << debug.Text();
        waitFor(settled);
        std::vector<Place> here;
        for (const auto* stone : SaveStones(*game.GetCurrentLevel())) {
            const auto& data = dynamic_cast<const Zone_Save::Instance&>(*stone->GetPayload());
            here.push_back({data.GetName(), stone->GetPosition(), data.direction.value == "Right" ? 1 : -1});
        }
        for (const std::string& marker : markers) {
            if (marker == "start") {
                here.push_back({marker, {}, 0});
                continue;
            }
            const CharacterObject* found = game.FindCharacterByName(marker, nullptr);
            if (found == nullptr)
                failed.push_back(level + " " + marker + ": no such marker");
            else
                here.push_back({marker, found->GetPosition(), 1});
        }
        for (const Place& place : here) {
            ++places;
            const std::string where = level + " " + place.name;
            // Saved there as the stone or the script saves; a game never
            // saved names no level and starts its level again.
            if (place.facing == 0)
                game.saveData.SetMapName("");
            else
                game.SaveGameAt(place.at.x, place.at.y, place.facing);
            game.GetPlayer()->SetLife(0);
            waitFor([&] { return game.GetPlayer()->GetLife() > 0; });
            waitFor([&] { return !game.GetPlayer()->IsRespawning(); });
            // Looked up afresh: a death on the way brings another player.
            const auto me = [&]() -> Player& { return *game.GetPlayer(); };
            const Player& player = me();
            if (player.GetLife() == 0 || player.IsRespawning()) {
                failed.push_back(where + ": not back on its feet (move state "
                    + std::to_string(player.GetMoveState()) + ", play state "
                    + std::string(PlayStateName(game.GetPlayState())) + ")");
                continue;
            }
            // A hint that opens as the player arrives is read first.
            waitFor(settled);
            // From then on, the keys: right and left held, then a jump
            // tapped.
            int updates = 0;
            const auto keysUntil
                = [&](const std::function<InputActions(int)>& keys, const std::function<bool()>& done) {
                      bool reached = false;
                      for (int pass = 0; updates < 90 && !reached; ++pass, ++updates) {
                          Pass(keys(pass));
                          reached = done();
                      }
                      Pass(); // let go
                      return reached;
                  };
            const auto walking = [&](int side) {
                return me().GetMoveState() == Player::kWalk && me().GetFacingFromAnimation() == side;
            };
            const auto held = [](float x) {
                return [x](int) {
                    InputActions keys;
                    keys.x = x;
                    return keys;
                };
            };
            const bool walkedRight = keysUntil(held(1.0f), [&] { return walking(1); });
            const bool walkedLeft = keysUntil(held(-1.0f), [&] { return walking(-1); });
            const bool jumped = keysUntil([&](int pass) { return pass % 2 == 0 ? jump : InputActions(); },
                [&] { return me().GetMoveState() == Player::kJump; });
            if (!walkedRight || !walkedLeft || !jumped)
                failed.push_back(where + ": walked right " + std::to_string(walkedRight) + ", left "
                    + std::to_string(walkedLeft) + ", jumped " + std::to_string(jumped) + " (move state "
                    + std::to_string(me().GetMoveState()) + ", locked " + std::to_string(me().IsInputLocked())
                    + ")");
        }
    }
    EXPECT_GE(places, 57) << "the world's stones were not all found";
    EXPECT_TRUE(failed.empty()) << testing::PrintToString(failed);
}

} // namespace
