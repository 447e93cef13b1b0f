#include "engine/app/ConsoleCommand.h"

#include "engine/app/NumberArguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A table with one recording command "exit" and the arguments it was given.
struct RecordingTable {
    RecordingTable()
    {
        table.RegisterCommand(
            [this](std::string arguments) {
                calls.push_back(arguments);
                return true;
            },
            "exit", "Exit the game", {}, {});
    }
    ConsoleCommandTable table;
    std::vector<std::string> calls;
};

TEST(ConsoleCommandTable, SelectsByTheExactWordBeforeTheFirstBlank)
{
    const struct {
        const char* line;
        bool runs;
        const char* arguments;
    } cases[] = {
        {"exit", true, ""},
        {"exit now", true, "now"},
        {"exit  two blanks ", true, " two blanks "},
        {"exit // comment", true, "// comment"},
        {"Exit", false, ""},
        {" exit", false, ""},
        {"exit\tnow", false, ""},
        {"exi", false, ""},
        {"exits", false, ""},
        {"", false, ""},
    };
    for (const auto& c : cases) {
        RecordingTable recording;
        EXPECT_EQ(recording.table.ExecuteCommand(c.line), c.runs) << '[' << c.line << ']';
        if (c.runs) {
            ASSERT_EQ(recording.calls.size(), 1u) << c.line;
            EXPECT_EQ(recording.calls[0], c.arguments);
        } else {
            EXPECT_TRUE(recording.calls.empty()) << c.line;
        }
    }
}

TEST(ConsoleCommandTable, PassesOverRecordsWithoutHandlerAndRunsTheFirstOfAName)
{
    ConsoleCommandTable table;
    std::string ran;
    table.RegisterCommand(nullptr, "god", "", {}, {});
    table.RegisterCommand(
        [&ran](std::string) {
            ran += "first";
            return false;
        },
        "god", "", {}, {});
    table.RegisterCommand(
        [&ran](std::string) {
            ran += "second";
            return true;
        },
        "god", "", {}, {});

    // The handler's result is passed back, here false from the first one.
    EXPECT_FALSE(table.ExecuteCommand("god"));
    EXPECT_FALSE(table.ExecuteCommand("god 1"));
    EXPECT_EQ(ran, "firstfirst");
    ASSERT_EQ(table.GetCommands().size(), 3u);
    EXPECT_EQ(table.FindCommand("god"), &table.GetCommands()[1]);
    EXPECT_EQ(table.FindCommand("nobody"), nullptr);
}

TEST(ConsoleCommandTable, AHandlerMayRegisterCommandsWhileItRuns)
{
    ConsoleCommandTable table;
    table.RegisterCommand(
        [&table](std::string arguments) {
            for (int i = 0; i < 64; ++i)
                table.RegisterCommand([](std::string) { return true; }, "more", "", {}, {});
            return arguments == "go";
        },
        "grow", "", {}, {});
    EXPECT_TRUE(table.ExecuteCommand("grow go"));
    EXPECT_TRUE(table.ExecuteCommand("more"));
}

// A command that takes numbers runs only with finite ones in range; one
// whose grammar takes none (a path, a name) is not looked at.
TEST(ConsoleCommandTable, RefusesNumbersThatAreNotFiniteOrOutOfRange)
{
    ConsoleCommandTable table;
    std::vector<std::string> ran;
    auto record = [&ran](std::string arguments) {
        ran.push_back(arguments);
        return true;
    };
    table.RegisterCommand(record, "speed", "", {"list{walk}", "float"}, {});
    table.RegisterCommand(record, "level", "", {"string"}, {});
    struct Case {
        const char* line;
        bool runs;
    };
    const Case cases[] = {
        {"speed walk 2.5", true},
        {"speed walk -1000000", true},
        {"speed walk .5e3", true},
        {"speed Infos_auto 1", true},
        {"speed walk nan", false},
        {"speed walk -inf", false},
        {"speed walk INFINITY", false},
        {"speed walk 1e30", false},
        {"speed walk 1000000.5", false},
        {"speed walk 0x1p40", false},
        {"speed walk 7e9999abc", false},
        // Begins like a number but is not one whole: a lenient reader would
        // take 2, -inf or 1e30 from it.
        {"speed walk 2x", false},
        {"speed walk -infx", false},
        {"speed walk \" 1e30x\"", false},
        {"speed walk \"\t2147483648x\"", false},
        {"speed walk +nan", false},
        // A word is no number: its handler reads it (and refuses it there).
        {"speed infernal 1", true},
        {"level nan", true},
        {"level 99999999999.lvl", true},
    };
    for (const Case& c : cases) {
        ran.clear();
        EXPECT_EQ(table.ExecuteCommand(c.line), c.runs) << c.line;
        EXPECT_EQ(ran.size(), c.runs ? 1u : 0u) << c.line;
    }
}

TEST(NumberArguments, SaysWhichTokenIsRefused)
{
    EXPECT_EQ(FindRefusedNumber({"walk", "3", "nan", "1e30"}),
        "expected a number from -1000000 to 1000000, found \"nan\"");
    EXPECT_EQ(FindRefusedNumber({"\t2x"}), "expected a number from -1000000 to 1000000, found \"\\x092x\"");
    EXPECT_EQ(FindRefusedNumber({"walk", "3", "-2.5"}), "");
    EXPECT_EQ(FindRefusedNumber({}), "");
}

} // namespace
