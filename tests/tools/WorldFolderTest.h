#pragma once

#include "characters/Player.h"
#include "engine/config/GamePaths.h"
#include "engine/render/PostChain.h"
#include "engine/render/ShaderEffect_PostProcess.h"
#include "engine/serial/ReaderContext.h"
#include "game/Game.h"
#include "scene/MapModel.h"

#include "tests/engine/platform/DebugCapture.h"
#include "tests/game/FixedStepClock.h"
#include "tests/game/ScriptedInput.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>

// A test run in the assembled world's folder (build/world), where the game
// runs: the debug output is collected meanwhile, and the settings'
// "setuserpath <PERSONAL>" makes its folders under a scratch documents folder
// of this process (removed afterwards) rather than the user's own. The
// platform clock moves only by the fixture's fixed steps (`fixedStep`), one
// per pass. Skipped when the world is not built.
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
        folder = std::filesystem::temp_directory_path() / (scratch + "-" + std::to_string(getpid()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        const char* documents = getenv("XDG_DOCUMENTS_DIR");
        previousDocuments = documents != nullptr ? std::optional<std::string>(documents) : std::nullopt;
        setenv("XDG_DOCUMENTS_DIR", folder.c_str(), 1);
    }
    void TearDown() override
    {
        if (previous.empty())
            return;
        // The documents folder as it was: later tests find their own.
        if (previousDocuments)
            setenv("XDG_DOCUMENTS_DIR", previousDocuments->c_str(), 1);
        else
            unsetenv("XDG_DOCUMENTS_DIR");
        std::filesystem::current_path(previous);
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    // The timed screen effects that level scripts steer, as the program
    // makes them, here without shaders: nothing is drawn.
    static void GiveScreenEffects(Game& game)
    {
        game.postEffects = std::make_unique<PostEffects>();
        for (auto effect : {&PostEffects::fadeToColor, &PostEffects::fadeToColorInv, &PostEffects::water})
            (*game.postEffects).*effect = std::make_unique<ShaderEffect_PostProcess_TimeDependent>(
                nullptr, 30.0f, true, 0.0f, 0.0f, false, 2);
    }

    static bool ReadLibrary(Game& game)
    {
        std::ifstream file("gamelib.txt", std::ios::binary);
        ReaderContext context(file, "gamelib.txt");
        return game.UnSerialize(file);
    }
    static void RunSettings(Game& game, Game::CommandFileReport report = Game::CommandFileReport::kEveryLine)
    {
        std::ifstream settings("init_vars.txt", std::ios::binary);
        game.RunCommandFile(settings, "init_vars.txt", report);
    }
    // As the start-up does: the settings before the library (quietly) and
    // twice after it, the screen effects; every pass is then an update frame.
    static bool StartAsTheProgramDoes(Game& game)
    {
        RunSettings(game, Game::CommandFileReport::kNothing);
        if (!ReadLibrary(game))
            return false;
        RunSettings(game);
        RunSettings(game);
        GiveScreenEffects(game);
        game.frameDelay = 0;
        return true;
    }

    // As a new game plays it: started as the program does, saves in slot 0
    // of the scratch folder, with the minimap model a save writes from. The
    // fixture's TearDown gives the user path back with SetUserPath("").
    bool StartPlaying(Game& game)
    {
        if (!StartAsTheProgramDoes(game))
            return false;
        SetUserPath(folder.string() + "/");
        game.currentSaveSlot = 0;
        game.minimapModel = std::make_unique<MapModel>(MapModel::Minimap {});
        return true;
    }

    // The set-up and tear-down of a fixture that plays a new game of its own.
    void SetUpPlaying(Game& game)
    {
        WorldFolderTest::SetUp();
        if (IsSkipped())
            return;
        ASSERT_TRUE(StartPlaying(game));
    }
    void TearDownPlaying()
    {
        SetUserPath("");
        WorldFolderTest::TearDown();
    }

    // Before the members a derived fixture makes its game with, so their
    // clocks start on it.
    FixedStepClock fixedStep;
    DebugCapture debug;
    // Empty when the test was skipped.
    std::filesystem::path previous;
    // The scratch documents folder.
    std::filesystem::path folder;

private:
    std::optional<std::string> previousDocuments;
    std::string scratch;
};

// A fixture that plays a new game of its own (as SetUpPlaying) by scripted
// input, one fixed step a pass.
class ScriptedWorldTest : public WorldFolderTest {
protected:
    using WorldFolderTest::WorldFolderTest;

    void SetUp() override { SetUpPlaying(game); }
    void TearDown() override { TearDownPlaying(); }

    void Passes(int count, const InputActions& keys = InputActions())
    {
        for (int pass = 0; pass < count; ++pass) {
            input->next = keys;
            fixedStep.Pass(game);
        }
    }
    // Passes with no key until `done` holds; false when it never does.
    bool WaitUntil(const std::function<bool()>& done, int limit)
    {
        for (int pass = 0; pass < limit && !done(); ++pass)
            Passes(1);
        return done();
    }
    // Renames the player, so that the one the game makes anew after its
    // death or a load ("Player", as every new one) is told from it by name:
    // the allocator may give the new one the freed one's address.
    Player* MarkOldPlayer()
    {
        game.GetPlayer()->SetName("the player before");
        return game.GetPlayer();
    }
    // A player made since MarkOldPlayer is in the game.
    bool NewPlayerIn() const
    {
        return game.GetPlayer() != nullptr && game.GetPlayer()->GetName() == "Player";
    }

    ScriptedInput* input = new ScriptedInput();
    Game game {"Quenholt", nullptr, input, nullptr};
};
