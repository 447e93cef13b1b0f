#pragma once

#include "engine/platform/DebugOutput.h"
#include "engine/serial/ReaderContext.h"
#include "game/Game.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

// A test run in the assembled world's folder (build/world), where the game
// runs: the debug output is collected meanwhile, and the settings'
// "setuserpath <PERSONAL>" makes its folders under a scratch documents folder
// rather than the user's own. Skipped when the world is not built.
class WorldFolderTest : public testing::Test {
protected:
    explicit WorldFolderTest(std::string scratchName)
        : scratch(std::move(scratchName))
    {
    }

    void SetUp() override
    {
        const std::string world = QUENHOLT_WORLD_DIR;
        if (!std::filesystem::exists(world + "/gamelib.txt"))
            GTEST_SKIP() << "the world is not built in " << world;
        previous = std::filesystem::current_path();
        std::filesystem::current_path(world);
        const std::filesystem::path documents = std::filesystem::temp_directory_path() / scratch;
        setenv("XDG_DOCUMENTS_DIR", documents.c_str(), 1);
        platform::SetDebugSink([this](std::string_view text) { output += text; });
    }
    void TearDown() override
    {
        platform::SetDebugSink({});
        if (!previous.empty())
            std::filesystem::current_path(previous);
    }

    static bool ReadLibrary(Game& game)
    {
        std::ifstream file("gamelib.txt", std::ios::binary);
        ReaderContext context(file, "gamelib.txt");
        return game.UnSerialize(file);
    }
    static void RunSettings(Game& game)
    {
        std::ifstream settings("init_vars.txt", std::ios::binary);
        game.RunCommandFile(settings, "init_vars.txt");
    }

    std::string output;
    // Empty when the test was skipped.
    std::filesystem::path previous;

private:
    std::string scratch;
};
