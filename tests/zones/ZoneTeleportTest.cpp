#include "characters/Player.h"
#include "engine/config/GamePaths.h"
#include "game/Game.h"
#include "scene/Level.h"
#include "scene/SpacialInstance.h"
#include "script/BGEvent_DialogueManager.h"
#include "script/BGEvent_ShowText.h"
#include "tests/game/ScriptedInput.h"
#include "zones/Zone_Teleport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

// A teleporter of a level that is the game's current one, with a player of
// 20 x 40 moved in and out of it, frame by frame.
namespace {

using Placed = SpacialInstance<GraphicalObject, float>;

class ZoneTeleport : public ::testing::Test {
protected:
    ZoneTeleport()
    {
        auto newPlayer = std::make_unique<Player>("Player");
        newPlayer->SetSize(20, 40);
        player = newPlayer.get();
        game.SetPlayer(std::move(newPlayer));
        game.SetCurrentLevel(&level);
        game.fixedStepTick = 1;
        game.SetMenuFlag(false); // a game running
        // The help dialogue's file (a ".h" by its name, so it is written
        // here rather than kept among the sources).
        folder = std::filesystem::temp_directory_path() / ("quenholt-teleport-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder / "dialogues_eng");
        std::ofstream(folder / "dialogues_eng" / "Infos_auto.h", std::ios::binary)
            << "// 0: how to use a teleporter\r\nKeeper \": \" \"Stand in the ring and press A to "
               "travel.\"\r\n";
        SetDialogPath(folder.string() + "/");
        teleporter.SetPayload(std::make_unique<Zone_Teleport::Instance>());
        dynamic_cast<ZoneInstance&>(*teleporter.GetPayload()).SetSize(Point<int>(64, 96));
    }
    ~ZoneTeleport() override
    {
        game.SetCurrentLevel(nullptr);
        SetDialogPath(previousDialogPath);
        std::filesystem::remove_all(folder);
    }

    // One frame: the poll, the zone's pass, then the events' late pass.
    void Frame(bool inside, bool attack = false)
    {
        player->SetPosition(inside ? Point<float>(110.0f, 200.0f) : Point<float>(400.0f, 200.0f));
        input->next = InputActions();
        input->next.Action3 = attack;
        input->Poll();
        teleportType.UpdateInstance(&teleporter);
        game.UpdateBackgroundEvents();
    }
    static std::string Running(const char* typeName)
    {
        BackgroundEvent* event = BackgroundEvent::FindByTypeName(typeName);
        return event != nullptr ? event->GetName() : "";
    }

    std::filesystem::path folder;
    // Taken before the game, whose construction empties the dialogue folder.
    const std::string previousDialogPath = GetDialogPath();
    ScriptedInput* input = new ScriptedInput();
    Game game {"Quenholt", nullptr, input, nullptr};
    Player* player = nullptr;
    Level level {"hub_a.lvl"};
    Zone_Teleport teleportType {"Zone_Teleport"};
    Placed teleporter {&teleportType, 100.0f, 200.0f};
};

TEST_F(ZoneTeleport, TheFirstTeleporterFoundSaysSoAndScoresButOffersNoMenu)
{
    Frame(true);
    ASSERT_EQ(game.teleports.size(), 1u);
    EXPECT_EQ(game.teleports[0].levelFile, "hub_a.lvl");
    EXPECT_EQ(game.saveData.GetScore(), 1);
    auto* text = dynamic_cast<BGEvent_ShowText*>(BackgroundEvent::FindByTypeName("BGEvent_ShowText"));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetName(), "DiscoverTeleport");
    EXPECT_EQ(text->GetText(), "You discovered a new teleporter !");
    EXPECT_EQ(text->GetCount(), 29); // 30 ticks, one of them shown
    EXPECT_EQ(Running("BGEvent_DialogueManager"), "");

    // Staying, and pressing the use action: nothing more with one record.
    for (int i = 0; i < 40; ++i)
        Frame(true, i == 35);
    EXPECT_EQ(game.teleports.size(), 1u);
    EXPECT_EQ(game.saveData.GetScore(), 1);
    EXPECT_EQ(Running("BGEvent_ShowText"), "");
    EXPECT_EQ(game.uiState, 0);
}

TEST_F(ZoneTeleport, WithTwoKnownTheHintFollowsTheMessageAndLeavingTakesItAway)
{
    game.AddTeleport("hub_b.lvl", "hub_b.lvl", Point<int>(3, 4));
    Frame(true);
    ASSERT_EQ(game.teleports.size(), 2u);
    // The help dialogue starts at once, its first line complete; the use
    // text waits for the discovery message to end.
    auto* hint
        = dynamic_cast<BGEvent_DialogueManager*>(BackgroundEvent::FindByTypeName("BGEvent_DialogueManager"));
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->GetName(), "BGEvent_DialogShowHint_Teleport");
    ASSERT_EQ(hint->GetLines().size(), 1u);
    EXPECT_GT(hint->GetShownCharacters(), 10u);
    int frame = 1;
    while (Running("BGEvent_ShowText") != "CanUseTeleport" && frame < 60) {
        Frame(true);
        ++frame;
    }
    EXPECT_GT(frame, 30) << "the discovery message runs 30 ticks first";
    EXPECT_EQ(BackgroundEvent::FindAllByTypeName("BGEvent_ShowText").size(), 1u) << "no other text left";
    auto* text = dynamic_cast<BGEvent_ShowText*>(BackgroundEvent::FindByTypeName("BGEvent_ShowText"));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetText(), "Press 'A' to use teleporter");
    Frame(true);
    EXPECT_EQ(BackgroundEvent::FindAllByTypeName("BGEvent_ShowText").size(), 1u) << "shown once";

    // Out of the zone: both go.
    Frame(false);
    EXPECT_EQ(Running("BGEvent_ShowText"), "");
    EXPECT_EQ(Running("BGEvent_DialogueManager"), "");
}

TEST_F(ZoneTeleport, TheHintComesAgainWhileThePlayerStaysInTheRing)
{
    game.AddTeleport("hub_b.lvl", "hub_b.lvl", Point<int>(3, 4));
    Frame(true);
    ASSERT_EQ(Running("BGEvent_DialogueManager"), "BGEvent_DialogShowHint_Teleport");
    Frame(true);
    Frame(true, true);
    EXPECT_TRUE(game.IsMenuFlagSet());
    // Back from the menu, or read to its end, in the same stay: it is made
    // again.
    game.SetMenuFlag(false);
    Frame(true);
    EXPECT_EQ(Running("BGEvent_DialogueManager"), "BGEvent_DialogShowHint_Teleport");
    BackgroundEvent* hint = BackgroundEvent::FindByTypeName("BGEvent_DialogueManager");
    hint->SetFinished(true);
    hint->Finish();
    Frame(true); // the finished hint goes
    Frame(true);
    EXPECT_EQ(Running("BGEvent_DialogueManager"), "BGEvent_DialogShowHint_Teleport");
}

TEST_F(ZoneTeleport, AnotherTextRunningKeepsTheHintAwayAndIsNotEndedOnLeaving)
{
    game.AddTeleport("hub_a.lvl", "hub_a.lvl", Point<int>(1, 1));
    game.AddTeleport("hub_b.lvl", "hub_b.lvl", Point<int>(3, 4));
    teleporter.GetPayload()->Spawn(100, 200, &level);
    ASSERT_TRUE(dynamic_cast<Zone_Teleport::Instance&>(*teleporter.GetPayload()).discovered);
    auto* script = static_cast<BGEvent_ShowText*>(
        level.AddBackgroundEvent(new BGEvent_ShowText("ScriptLine", "The bell rings.")));
    script->StartFor(-1);
    for (int i = 0; i < 5; ++i)
        Frame(true);
    EXPECT_EQ(BackgroundEvent::FindAllByTypeName("BGEvent_ShowText").size(), 1u);
    EXPECT_EQ(game.teleports.size(), 2u) << "a known level is not recorded again";
    Frame(false);
    EXPECT_EQ(Running("BGEvent_ShowText"), "ScriptLine");
    EXPECT_FALSE(script->IsFinished());
}

TEST_F(ZoneTeleport, OnlyAFreshPressOfTheUseActionOpensTheMenu)
{
    game.AddTeleport("hub_b.lvl", "hub_b.lvl", Point<int>(3, 4));
    // Walked in with the button held: no menu, however long it is held.
    Frame(false, true);
    for (int i = 0; i < 3; ++i)
        Frame(true, true);
    EXPECT_EQ(game.uiState, 0);
    EXPECT_FALSE(game.IsMenuFlagSet());
    Frame(true, false);
    Frame(true, true);
    EXPECT_EQ(game.uiState, 4);
    EXPECT_TRUE(game.IsMenuFlagSet());
    EXPECT_EQ(game.teleportMap.mapMode, 1);
    EXPECT_EQ(game.overlaySource, 1);
    // The press that opened it is already the previous poll's: the menu does
    // not take it for a choice.
    EXPECT_TRUE(input->GetPreviousActions().Action3);
}

TEST_F(ZoneTeleport, APressThatReadsALevelsDialogueOnDoesNotOpenTheMenu)
{
    game.AddTeleport("hub_a.lvl", "hub_a.lvl", Point<int>(1, 1));
    game.AddTeleport("hub_b.lvl", "hub_b.lvl", Point<int>(3, 4));
    teleporter.GetPayload()->Spawn(100, 200, &level);
    // Arrived in the ring while the level's own dialogue plays.
    auto* dialogue = new BGEvent_DialogueManager("ScriptEvent_BGEvent_DialogueManager");
    ASSERT_TRUE(BGEvent_DialogueManager::LoadFromFile(dialogue, "Infos_auto.h", 0));
    level.AddBackgroundEvent(dialogue);
    dialogue->Start();
    Frame(true);
    Frame(true, true);
    EXPECT_EQ(game.uiState, 0) << "the press was the dialogue's";
    EXPECT_FALSE(game.IsMenuFlagSet());
    // With the dialogue over, the next fresh press opens the menu.
    dialogue->SetFinished(true);
    dialogue->Finish();
    Frame(true);
    Frame(true);
    Frame(true, true);
    EXPECT_EQ(game.uiState, 4);
    EXPECT_EQ(game.teleportMap.mapMode, 1);
}

} // namespace
