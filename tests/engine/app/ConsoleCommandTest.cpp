#include "engine/app/ConsoleCommand.h"

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

} // namespace
