#include "engine/config/GamePaths.h"
#include "engine/sound/MusicLibrary.h"
#include "game/AchievementManager.h"
#include "script/BGEvent_DialogueManager.h"
#include "script/BGEvent_ShakeCamera.h"
#include "script/BGEvent_ShowText.h"
#include "script/BGEvent_WaitMessage.h"
#include "tests/script/ScriptFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;
using ScriptEventCommands = ScriptFixture;

TEST_F(ScriptEventCommands, DebugMessageShowsAQuotedTextForTenFramesByDefault)
{
    Script& script
        = Make("waitEvent_ShowDebugMessage \"two words\";Event_ShowDebugMessage short 2;Record end");
    int frames = RunToEnd(script);
    // The script waits the ten frames of the first message.
    EXPECT_EQ(frames, 11);
    int longCount = 0;
    int shortCount = 0;
    for (const auto& message : game.console.messages) {
        longCount += message.text == " [EVENT] two words";
        shortCount += message.text == " [EVENT] short";
    }
    EXPECT_EQ(longCount, 10);
    EXPECT_EQ(shortCount, 1); // the script ended in the frame it was queued
}

TEST_F(ScriptEventCommands, QueuedEventsCarryTheirNamesAndAreTracked)
{
    Script& script
        = Make("Event_WaitTimer 5;Event_WaitMessage Boss_Dead;Event_ShakeCamera 3 1 1 1 1;"
               "Event_StartDialogue_FromFile test.txt 0;Event_ShowDebugMessage hi;waitRecord x;Record y");
    script.Run();
    const Strings expected
        = {"ScriptEvent_BGEvent_Wait", "ScriptEvent_BGEvent_WaitMessage", "ScriptEvent_BGEvent_ShakeCamera",
            "ScriptEvent_BGEvent_DialogueManager", "ScriptEvent_BGEvent_ShowText"};
    ASSERT_EQ(level.GetBackgroundEventCount(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(level.GetBackgroundEvent(i)->GetName(), expected[i]);
    EXPECT_EQ(script.GetEvents().size(), expected.size());
    for (BackgroundEvent* event : script.GetEvents())
        EXPECT_FALSE(event->IsAutoDelete());
}

TEST_F(ScriptEventCommands, TooFewTokensAreErrorsAndQueueNothing)
{
    RunToEnd(Make("Event_ShakeCamera 10 1 2 3;Event_WaitTimer;Event_StartDialogue_FromFile a.txt;"
                  "Event_WaitMessage;Event_ShowDebugMessage"));
    EXPECT_EQ(ErrorCount(), 5);
    EXPECT_EQ(level.GetBackgroundEventCount(), 0u);
}

TEST_F(ScriptEventCommands, WithoutALevelEventCommandsFail)
{
    game.SetCurrentLevel(nullptr);
    RunToEnd(Make("Event_WaitTimer 5;Record end"));
    EXPECT_EQ(ErrorCount(), 1);
    EXPECT_EQ(record, (Strings {"Test: end"}));
}

TEST_F(ScriptEventCommands, AWaitedMessageReleasesTheScript)
{
    Script& script = Make("waitEvent_WaitMessage Gate_Open;Record opened");
    for (int i = 0; i < 5; ++i)
        Frame(&script);
    EXPECT_TRUE(record.empty());
    BGEvent_WaitMessage::Broadcast("gate_open");
    Frame(&script);
    EXPECT_EQ(record, (Strings {"Test: opened"}));
}

TEST_F(ScriptEventCommands, AShakeScriptEndsWithTheOffsetAtZero)
{
    Script& script = Make("waitEvent_ShakeCamera 4 6 0 6 0;Record still");
    RunToEnd(script);
    EXPECT_EQ(record, (Strings {"Test: still"}));
    EXPECT_EQ(level.GetBackgroundEventCount(), 0u);
}

TEST_F(ScriptEventCommands, ADialogueWithoutBoxEndsWhenTheSwitchIsOn)
{
    const std::string previousDialogPath = GetDialogPath();
    SetDialogPath(std::string(QUENHOLT_TEST_DATA_DIR) + "/script/");
    BGEvent_DialogueManager::SetFinishWithoutBox(true);
    Script& script = Make("waitEvent_StartDialogue_FromFile test.txt 0;Record after");
    const int frames = RunToEnd(script, 20);
    BGEvent_DialogueManager::SetFinishWithoutBox(false);
    SetDialogPath(previousDialogPath);
    EXPECT_EQ(frames, 2);
    EXPECT_EQ(record, (Strings {"Test: after"}));
}

TEST_F(ScriptEventCommands, PauseAndLevelChangeGoToTheGame)
{
    RunToEnd(Make("PauseGameplay 1;AskToChangeLevel crypt_01.lvl start_a"));
    EXPECT_TRUE(game.gameplayPaused);
    EXPECT_EQ(game.pendingLevelFile, "crypt_01.lvl");
    RunToEnd(Make("PauseGameplay 0"));
    EXPECT_FALSE(game.gameplayPaused);
    EXPECT_EQ(ErrorCount(), 0);
}

TEST_F(ScriptEventCommands, AchievementAndMusicCommandsChangeTheirRecords)
{
    ASSERT_GT(game.GetAchievements().GetCount(), 0u);
    Achievement* first = game.GetAchievements().Get(0);
    const std::string name = first->GetName();
    game.GetMusicLibrary()->AddOrUpdate(MusicTrack("theme.ogg", false, 0.0));
    RunToEnd(Make("ChangeAchievementCurrentValue \"" + name + "\" 3;IncrementAchievementCurrentValue \""
        + name
        + "\";IncrementAchievementCurrentValue \"No such one\";ForceMusicToRestartAtTime theme.ogg 4410.7;"
          "ForceMusicToRestartAtTime other.ogg 1"));
    EXPECT_EQ(ErrorCount(), 0);
    EXPECT_EQ(first->GetCurrent(), 4);
    EXPECT_EQ(game.GetMusicLibrary()->Find("theme.ogg")->resumePosition, 4410);
    // The count holds at the largest value.
    RunToEnd(Make("ChangeAchievementCurrentValue \"Keep Going\" 2147483647;"
                  "IncrementAchievementCurrentValue \"Keep Going\""));
    EXPECT_EQ(ErrorCount(), 0);
    EXPECT_EQ(game.GetAchievements().FindByName("Keep Going")->GetCurrent(), 2147483647);
}

} // namespace

namespace {

TEST(ScriptLevelChange, LeavingTheLevelEndsAWaitForAMessageThatNeverComes)
{
    Game game;
    game.fixedStepTick = 1;
    const size_t before = BackgroundEvent::GetLiveCount();
    auto level = std::make_unique<Level>("first");
    const size_t withLevel = BackgroundEvent::GetLiveCount();
    game.SetCurrentLevel(level.get());
    auto* script = new Script("StartScriptOnEnter");
    script->SetText("waitEvent_WaitMessage never_sent;SetVar nothing 1");
    script->Start(":OnEnter");
    level->AddBackgroundEvent(script);
    for (int frame = 0; frame < 10; ++frame) {
        for (size_t i = 0; i < level->GetBackgroundEventCount(); ++i)
            level->GetBackgroundEvent(i)->Run();
        level->PurgeBackgroundEvents();
    }
    EXPECT_TRUE(script->IsWaiting());
    EXPECT_EQ(BackgroundEvent::GetLiveCount(), withLevel + 2);
    // The level change frees the level with its queue: script and wait go.
    game.SetCurrentLevel(nullptr);
    level.reset();
    EXPECT_EQ(BackgroundEvent::GetLiveCount(), before);
    EXPECT_EQ(BackgroundEvent::FindByTypeName("BGEvent_WaitMessage"), nullptr);
}

} // namespace

namespace {

TEST(ScriptLevelChange, AScriptFreedAfterItsEventsTouchesNone)
{
    Game game;
    game.fixedStepTick = 1;
    auto level = std::make_unique<Level>("first");
    game.SetCurrentLevel(level.get());
    auto script = std::make_unique<Script>("Kept");
    script->SetText("waitEvent_WaitTimer 100;SetVar x 1");
    script->Start("");
    script->Run();
    ASSERT_EQ(script->GetEvents().size(), 1u);
    // The queue goes first; the script must not reach into it.
    game.SetCurrentLevel(nullptr);
    level.reset();
    script.reset();
}

} // namespace
