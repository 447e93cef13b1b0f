#include "engine/config/GameConfig.h"
#include "engine/config/GamePaths.h"
#include "engine/render/RenderPoolManager.h"
#include "engine/serial/ReaderContext.h"
#include "game/Game.h"
#include "game/GameSaveData.h"
#include "scene/Level.h"
#include "script/DialogueFile.h"
#include "tests/engine/platform/DebugCapture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <unistd.h>

// A regular file whose reads fail (a disk or network error) is refused by
// every reader that takes a file by its path, the file named, and the game
// goes on: /proc/self/mem fails every read at its start.
namespace fs = std::filesystem;

TEST(UnreadableFiles, EveryReaderOfAFileByItsPathRefusesItByName)
{
    const std::string mem = "/proc/self/mem";
    if (std::ifstream probe(mem, std::ios::binary); !probe.is_open() || probe.get() != EOF)
        GTEST_SKIP() << mem << " does not fail its reads here";
    Game game;
    const fs::path user = fs::temp_directory_path() / ("quenholt-unreadable-" + std::to_string(getpid()));
    const std::string before = GetUserPath(), dialogues = GetDialogPath();
    SetUserPath(user.string() + "/");
    SetDialogPath(user.string() + "/");
    // The user folder's file `name` stands for the unreadable file.
    const auto link = [&](const std::string& name) {
        fs::create_directories((user / name).parent_path());
        fs::create_symlink(mem, user / name);
        return (user / name).string();
    };
    const std::string readError = ": expected a line, found a read error";
    std::vector<DialogueFile::Line> lines;
    // Each reader is handed the unreadable file opened; a reader that returns
    // nothing counts as refusing it.
    const struct {
        const char* what;
        std::function<bool(std::ifstream&)> read;
        std::string said;
    } readers[] = {
        {"level", [&](auto&) { return Level::LoadFile(mem, nullptr) != nullptr; }, mem + ":1" + readError},
        {"save", [&](auto&) { return GameSaveData().ReadFile(mem, nullptr); }, mem + ":1" + readError},
        {"settings", [](auto&) { return GameConfig().LoadUserConfig(); },
            link(GameConfig::kFileName) + ":1" + readError},
        {"dialogue", [&](auto&) { return DialogueFile::LoadBlock("talk.txt", 0, lines); },
            link("dialogues_eng/talk.txt") + ":1: expected a dialogue line, found a read error"},
        {"command file", [&](auto& file) { return game.RunCommandFile(file, mem), false; },
            mem + ":1: expected a command line, found a read error"},
        {"game library",
            [&](auto& file) {
                ReaderContext context(file, mem);
                return game.UnSerialize(file);
            },
            mem + ":1" + readError},
        {"load log", [](auto&) { return RenderPoolManager(false).LogOutOfScopeLoad("image.png"), false; },
            link("LoadPNG_OutOfLoadingScope.log") + readError},
    };
    for (const auto& reader : readers) {
        SCOPED_TRACE(reader.what);
        DebugCapture debug;
        std::ifstream file(mem, std::ios::binary);
        EXPECT_FALSE(reader.read(file));
        EXPECT_NE(debug.Text().find(reader.said), std::string::npos) << debug.Text();
    }
    SetUserPath(before);
    SetDialogPath(dialogues);
    fs::remove_all(user);
}
