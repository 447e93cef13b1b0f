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
#include "scene/Level.h"
#include "scene/MapModel.h"
#include "scene/SpacialInstance.h"
#include "script/BackgroundEvent.h"
#include "tests/game/ScriptedInput.h"
#include "tests/game/WorldTeleportHubs.h"
#include "tests/tools/WorldFolderTest.h"
#include "zones/ZoneInstance.h"
#include "zones/Zone_Teleport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The cemetery's two first hubs of the assembled world (build/world), played
// through the game's main loop headless: each teleporter found in turn, then
// the teleport menu takes the player from the second hub back to the first.
namespace {

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

} // namespace
