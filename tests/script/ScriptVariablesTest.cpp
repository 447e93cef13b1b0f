#include "engine/serial/ReaderContext.h"
#include "script/ScriptVar.h"
#include "tests/script/ScriptFixture.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

using ScriptVariables = ScriptFixture;

TEST_F(ScriptVariables, CreateVarMakesLowerCaseNamesInEachScope)
{
    Script& script = Make("CreateVar LOCAL Count 0;CreateVar local count 9;CreateVar Global Seen Yes;"
                          "CreateVar save Done_A 1;CreateVar other x 1;CreateVar local onlytwo");
    RunToEnd(script);
    // The second local of a name, an unknown scope and a missing value fail.
    EXPECT_EQ(ErrorCount(), 3);
    ASSERT_NE(script.FindLocalVar("COUNT"), nullptr);
    EXPECT_EQ(script.FindLocalVar("count")->GetValue(), "0");
    ASSERT_NE(Game::FindGlobalVar("seen"), nullptr);
    EXPECT_EQ(Game::FindGlobalVar("seen")->GetValue(), "Yes");
    ASSERT_NE(Game::FindSaveVar("done_a"), nullptr);
    EXPECT_EQ(script.FindLocalVar("x"), nullptr);
}

TEST_F(ScriptVariables, GlobalCreateOverwritesAndLocalsHideOtherScopes)
{
    game.CreateGlobalVar("flag")->SetValue("old");
    game.CreateSaveVar("flag")->SetValue("saved");
    Script& script = Make("CreateVar global flag new;SetVar flag global-set;CreateVar local flag mine;"
                          "SetVar FLAG local-set;SetVar nobody 1");
    RunToEnd(script);
    EXPECT_EQ(ErrorCount(), 1) << debug.Text(); // the unknown name
    EXPECT_EQ(Game::FindGlobalVar("flag")->GetValue(), "global-set");
    EXPECT_EQ(script.FindLocalVar("flag")->GetValue(), "local-set");
    EXPECT_EQ(Game::FindSaveVar("flag")->GetValue(), "saved");
    EXPECT_EQ(Game::FindGlobalVar("nobody"), nullptr);
}

TEST_F(ScriptVariables, LocalsDoNotCarryFromOneScriptToTheNext)
{
    RunToEnd(Make("CreateVar local n 1"));
    Script& second = Make("SetVar n 2");
    RunToEnd(second);
    EXPECT_EQ(ErrorCount(), 1);
    EXPECT_EQ(second.FindLocalVar("n"), nullptr);
}

TEST_F(ScriptVariables, IfVarConditionsPushTheirResult)
{
    game.CreateGlobalVar("y")->SetValue("x");
    struct Case {
        std::string condition;
        bool expected;
    };
    const Case cases[] = {
        {"n >= 5", true},
        {"N >= 5", true},
        {"n > 5", false},
        {"n < 5.5", true},
        {"n <= 4", false},
        {"n == 5.0", false}, // values compare as text
        {"n == 5", true},
        {"n != 5", false},
        {"a == X", false}, // case-sensitive values
        {"a == x", true},
        {"a == Y", true}, // the operand names a variable
        {"missing == 1", false},
        {"n ~ 5", false},
        {"", false},
        {"n ==", false},
        {"a == q and n == 5", false},
        {"a == x and n == 5", true},
        {"a == q or n == 5", true},
        {"a == q or n == 5 and a == q", false}, // left to right: (A or B) and C
        {"a == x and n == 5 or a == q", true},
        {"a == x xor n == 4", true}, // an unknown connector ignores its condition
        {"missing == 1 or n == 5", true},
        {"a == x AND n == 5", true},
    };
    for (const Case& c : cases) {
        Script& script = Make("CreateVar local n 5;CreateVar local a x;IfVar " + c.condition);
        RunToEnd(script);
        ASSERT_EQ(script.GetResults().size(), 1u) << c.condition;
        EXPECT_EQ(script.GetResults().back(), c.expected) << c.condition;
    }
    EXPECT_EQ(ErrorCount(), 0);
}

TEST_F(ScriptVariables, AndStopsAtTheFirstFalseCondition)
{
    // Were the chain evaluated on, the "or" would make it true.
    Script& script = Make("CreateVar local a 0;IfVar a == 1 and a == 0 or a == 0");
    RunToEnd(script);
    ASSERT_EQ(script.GetResults().size(), 1u);
    EXPECT_FALSE(script.GetResults().back());
}

TEST(ScriptVarRecord, WritesThreeLinesAndReadsThemBack)
{
    ScriptVar var("done_gate");
    var.SetValue("1 and more");
    std::ostringstream os;
    ASSERT_TRUE(var.Serialize(os));
    EXPECT_EQ(os.str(), "ScriptVarV0\r\ndone_gate\r\n1 and more\r\n");
    ScriptVar back("");
    std::istringstream is(os.str());
    ASSERT_TRUE(back.UnSerialize(is));
    EXPECT_EQ(back.GetName(), "done_gate");
    EXPECT_EQ(back.GetValue(), "1 and more");
}

TEST(ScriptVarRecord, ATruncatedRecordChangesNothingAndNamesTheLine)
{
    ScriptVar var("kept");
    var.SetValue("v");
    std::istringstream is("ScriptVarV0\r\nother\r\n");
    ReaderContext context(is, "slot.sav");
    EXPECT_FALSE(var.UnSerialize(is));
    EXPECT_EQ(var.GetName(), "kept");
    EXPECT_EQ(var.GetValue(), "v");
    EXPECT_EQ(context.GetError().rfind("slot.sav:3:", 0), 0u) << context.GetError();
}

} // namespace
