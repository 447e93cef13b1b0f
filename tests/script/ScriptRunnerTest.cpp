#include "script/BGEvent_Wait.h"
#include "script/Script.h"
#include "tests/script/ScriptFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

TEST(ScriptText, SemicolonsAndLineBreaksRoundTripAsLines)
{
    Script script("Text");
    script.SetText("a 1;b\nc;");
    EXPECT_EQ(script.GetLines(), (Strings {"a 1", "b", "c", ""}));
    EXPECT_EQ(script.GetText(), "a 1\nb\nc\n");
    Script again("Again");
    again.SetText(script.GetText());
    EXPECT_EQ(again.GetLines(), script.GetLines());
    script.SetText("");
    EXPECT_EQ(script.GetLines(), (Strings {""}));
}

TEST(ScriptText, SplitsCommandWordFromArguments)
{
    struct Case {
        std::string line, command, arguments;
    };
    const Case cases[] = {
        {" \tPlayMusic track 1", "playmusic", " track 1"},
        {"SetVar Name Value", "setvar", " Name Value"},
        {"(", "(", ""},
        {"waitEvent_WaitTimer 60", "waitevent_waittimer", " 60"},
        // Comments and blank lines name no command the table knows.
        {"// note", "// note", ""},
        {"   ", "   ", ""},
        {"Event_ShowDebugMessage \"two words\" 5", "event_showdebugmessage", " \"two words\" 5"},
    };
    for (const Case& c : cases) {
        std::string command, arguments;
        SplitScriptLine(c.line, command, arguments);
        EXPECT_EQ(command, c.command) << c.line;
        EXPECT_EQ(arguments, c.arguments) << c.line;
    }
}

using ScriptRunner = ScriptFixture;

TEST_F(ScriptRunner, RunsTheHeadAndTheSectionOfItsLabelOnly)
{
    const std::string text = "Record head;:OnEnter;Record enter;:ONLEAVE;Record leave;:onenter;Record again";
    struct Case {
        std::string label;
        Strings expected;
    };
    const Case cases[] = {
        {"", {"Test: head"}},
        {":OnEnter", {"Test: head", "Test: enter", "Test: again"}},
        {":onleave", {"Test: head", "Test: leave"}},
        {":OnHit", {"Test: head"}},
    };
    for (const Case& c : cases) {
        record.clear();
        Script& script = Make(text, c.label);
        EXPECT_EQ(RunToEnd(script), 1) << c.label;
        EXPECT_EQ(record, c.expected) << c.label;
        EXPECT_TRUE(script.IsFinished());
    }
    // A start-up script whose first line is a label runs nothing.
    record.clear();
    RunToEnd(Make(":OnEnter;Record x"));
    EXPECT_TRUE(record.empty());
    EXPECT_EQ(ErrorCount(), 0);
}

TEST_F(ScriptRunner, IfVarElseRunsExactlyOneBlock)
{
    Script& script
        = Make("CreateVar local v 2;CreateVar local w 0;IfVar v == 1;(;SetVar w 5;);Else;(;SetVar w 6;)");
    RunToEnd(script);
    EXPECT_EQ(Value(script, "w"), "6");
    EXPECT_EQ(ErrorCount(), 0);
    EXPECT_TRUE(script.GetResults().empty());
}

TEST_F(ScriptRunner, NestedConditionsInASkippedBlockNeverRun)
{
    Script& script = Make("CreateVar local v 0;IfVar v == 1;(;IfVar v == 0;(;Record inner;);Record outer;);"
                          "Record after");
    RunToEnd(script);
    EXPECT_EQ(record, (Strings {"Test: after"}));
    EXPECT_EQ(script.GetSkipDepth(), 0);
    EXPECT_FALSE(script.GetLastResult());
    EXPECT_TRUE(script.GetResults().empty());
    EXPECT_EQ(ErrorCount(), 0);
}

TEST_F(ScriptRunner, NestedTrueBlocksPopTheirOwnResults)
{
    Script& script
        = Make("CreateVar local v 3;IfVar v >= 2;(;IfVar v < 3;(;Record no;);Else;(;Record yes;););"
               "Record end");
    RunToEnd(script);
    EXPECT_EQ(record, (Strings {"Test: yes", "Test: end"}));
    EXPECT_TRUE(script.GetResults().empty());
}

TEST_F(ScriptRunner, MalformedBlocksAndUnknownLinesAreErrorsAndTheScriptGoesOn)
{
    Script& script
        = Make("(;);Else x;NoSuchCommand 1;// only a comment;   ;Event_ShakeCamera 1 2 3 4;Record end", "",
            "Broken");
    RunToEnd(script);
    EXPECT_EQ(record, (Strings {"Broken: end"}));
    EXPECT_EQ(ErrorCount(), 7);
    // The report names the script and the line, in the debug output and the
    // console's message list.
    EXPECT_NE(debug.Text().find("Broken:4: Script Error : NoSuchCommand 1"), std::string::npos);
    ASSERT_FALSE(game.console.messages.empty());
    EXPECT_EQ(game.console.messages.front().text, " Script Error : (");
    EXPECT_EQ(game.console.messages.front().colour, 0xFF9B0000u);
}

TEST_F(ScriptRunner, LinesOutsideTheSectionOrInASkippedBlockAreNeverErrors)
{
    RunToEnd(Make(
        "CreateVar local v 0;IfVar v == 1;(;garbage here;:Other;more garbage;:Main;);Record end", ":main"));
    // The label inside the skipped block still switches the section.
    EXPECT_EQ(record, (Strings {"Test: end"}));
    EXPECT_EQ(ErrorCount(), 0);
}

TEST_F(ScriptRunner, WaitPrefixHoldsTheScriptUntilItsEventHasFinished)
{
    Script& script = Make("Record a;waitEvent_WaitTimer 30;Record b");
    Frame(&script);
    EXPECT_EQ(record, (Strings {"Test: a"}));
    EXPECT_TRUE(script.IsWaiting());
    int frames = 1;
    while (record.size() < 2 && frames < 100) {
        Frame(&script);
        ++frames;
    }
    // The timer finishes on its 30th tick (frame 30's Update); the script
    // goes on at its next Run.
    EXPECT_EQ(frames, 31);
    EXPECT_TRUE(script.IsDone());
    EXPECT_TRUE(script.GetEvents().empty());
    // The timer, let go, is freed by the level.
    EXPECT_EQ(level.GetBackgroundEventCount(), 0u);
}

TEST_F(ScriptRunner, WaitOnACommandWithoutEventHoldsOneFrame)
{
    Script& script = Make("CreateVar local v 0;waitSetVar v 1;Record b");
    Frame(&script);
    EXPECT_TRUE(record.empty());
    EXPECT_EQ(Value(script, "v"), "1");
    Frame(&script);
    EXPECT_EQ(record, (Strings {"Test: b"}));
}

TEST_F(ScriptRunner, WaitOnTheLastLineEndsTheScriptAtOnce)
{
    Script& script = Make("Record a;waitEvent_WaitTimer 5");
    Frame(&script);
    EXPECT_TRUE(script.IsDone());
    // The timer still runs on the level, now the level's own.
    ASSERT_EQ(level.GetBackgroundEventCount(), 1u);
    EXPECT_TRUE(level.GetBackgroundEvent(0)->IsAutoDelete());
    for (int i = 0; i < 5; ++i)
        Frame();
    EXPECT_EQ(level.GetBackgroundEventCount(), 0u);
}

TEST_F(ScriptRunner, FramesWithoutLogicTickHoldATimerWait)
{
    Script& script = Make("waitEvent_WaitTimer 2;Record b");
    game.fixedStepTick = 0;
    for (int i = 0; i < 10; ++i)
        Frame(&script);
    EXPECT_TRUE(record.empty());
    game.fixedStepTick = 1;
    for (int i = 0; i < 3; ++i)
        Frame(&script);
    EXPECT_EQ(record, (Strings {"Test: b"}));
}

TEST_F(ScriptRunner, TriggerScriptsQueuedOnConsecutiveFramesRunInOrder)
{
    const std::string text
        = ":OnEnter;Record enter;:OnEnterOnce;Record enter once;:OnLeaveOnce;Record leave once;"
          ":OnLeave;Record leave";
    Queue(text, ":OnEnter", "A");
    Queue(text, ":OnEnterOnce", "B");
    Frame();
    Queue(text, ":OnLeaveOnce", "C");
    Queue(text, ":OnLeave", "D");
    Frame();
    EXPECT_EQ(record, (Strings {"A: enter", "B: enter once", "C: leave once", "D: leave"}));
    // Finished scripts are freed by the level.
    EXPECT_EQ(level.GetBackgroundEventCount(), 0u);
}

TEST_F(ScriptRunner, StopEndsAScriptThatWaits)
{
    Script& script = Queue("waitEvent_WaitMessage never;Record b", "", "Waiting");
    Frame();
    EXPECT_EQ(level.GetBackgroundEventCount(), 2u);
    script.Stop();
    Frame();
    // The script is gone; its wait event, handed back to the level, is
    // freed once it finishes.
    EXPECT_EQ(level.GetBackgroundEventCount(), 1u);
    EXPECT_TRUE(level.GetBackgroundEvent(0)->IsAutoDelete());
    EXPECT_TRUE(record.empty());
}

} // namespace
