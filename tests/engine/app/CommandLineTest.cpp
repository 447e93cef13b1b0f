#include "engine/app/CommandLine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using Tokens = std::vector<std::string>;
using Commands = std::vector<std::string>;

TEST(CommandLine, LevelAndLibraryNamesAreFoundLowerCasedPassedAsTypedAndTheFirstWins)
{
    CommandLineOptions options
        = ReadCommandLineTokens({"Map.LVL", "other.lvl", "My_GameLib.TXT", "b_gamelib.txt"});
    EXPECT_EQ(options.levelName, "Map.LVL");
    EXPECT_EQ(options.gameLibName, "My_GameLib.TXT");
    EXPECT_TRUE(options.queuedCommands.empty());

    options = ReadCommandLineTokens({"levels\\Cave.lvl.bak"});
    EXPECT_EQ(options.levelName, "levels\\Cave.lvl.bak"); // ".lvl" anywhere
}

TEST(CommandLine, OptionsQueueCommandsOrSetDisplayFlags)
{
    struct Case {
        Tokens tokens;
        Commands queued;
        bool fullScreen;
        bool onTop;
        bool windowed;
    };
    const std::vector<Case> cases = {
        {{"-God"}, {"god"}, false, false, false},
        {{"-god 1"}, {"god 1"}, false, false, false},         // a switch's value in the same argument
        {{"-ab", "-a", "-", "god"}, {}, false, false, false}, // 3 characters or fewer, or no "-"
        {{"-abc"}, {"abc"}, false, false, false},
        {{"-FullScreenOnTop"}, {}, true, true, false},
        {{"-fullscreen", "-setframedelay 40"}, {"setframedelay 40"}, true, false, false},
        {{"-ontop"}, {}, false, true, false},
        // The platform's window flag, in both spellings, whole, is never
        // queued; a command's value keeps its case.
        {{"-windowed"}, {}, false, false, true},
        {{"--Windowed", "-god"}, {"god"}, false, false, true},
        {{"-SetUserPath /home/u/MySaves"}, {"setuserpath /home/u/MySaves"}, false, false, false},
        {{"-setuserpath /home/u/windowed_saves"}, {"setuserpath /home/u/windowed_saves"}, false, false,
            false},
        {{"-windowedx"}, {"windowedx"}, false, false, false},
        {{"-debug", "-god", "-debug"}, {"debug", "god", "debug"}, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tokens.front());
        const CommandLineOptions options = ReadCommandLineTokens(c.tokens);
        EXPECT_EQ(options.queuedCommands, c.queued);
        EXPECT_EQ(options.fullScreen, c.fullScreen);
        EXPECT_EQ(options.onTop, c.onTop);
        EXPECT_EQ(options.windowed, c.windowed);
        EXPECT_TRUE(options.levelName.empty());
    }
}

TEST(CommandLine, ATokenCanBeBothALevelAndAnOption)
{
    const CommandLineOptions options = ReadCommandLineTokens({"-Load.lvl"});
    EXPECT_EQ(options.levelName, "-Load.lvl");
    EXPECT_EQ(options.queuedCommands, Commands {"load.lvl"});
}

TEST(CommandLine, TheScreenshotScriptsStartTheGameWithTheGodFlagOn)
{
    // "-god" alone queues "god", which without its value leaves the flag
    // off: the scripts' "invulnerable" player would be struck down and sent
    // back to the save. Each switch is read as the shell hands it over.
    int found = 0;
    for (const auto& entry :
        std::filesystem::directory_iterator(std::string(QUENHOLT_SOURCE_DIR) + "/scripts")) {
        std::ifstream file(entry.path());
        const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        for (size_t at = text.find("-god"); at != std::string::npos; at = text.find("-god", at + 1)) {
            const bool quoted = at > 0 && text[at - 1] == '"';
            const std::string word = text.substr(at, text.find_first_of(quoted ? "\"" : " \n", at) - at);
            SCOPED_TRACE(entry.path().filename().string() + ": " + word);
            EXPECT_EQ(ReadCommandLineTokens({word}).queuedCommands, Commands {"god 1"});
            ++found;
        }
    }
    EXPECT_GE(found, 3);
}
