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
namespace {

namespace fs = std::filesystem;

constexpr const char* kUnreadable = "/proc/self/mem";

class UnreadableFiles : public testing::Test {
protected:
    void SetUp() override
    {
        std::ifstream probe(kUnreadable, std::ios::binary);
        char c = 0;
        if (!probe.is_open() || probe.read(&c, 1))
            GTEST_SKIP() << kUnreadable << " does not fail its reads here";
        user = fs::temp_directory_path() / ("quenholt-unreadable-" + std::to_string(getpid()));
        fs::create_directories(user);
        before = GetUserPath();
        SetUserPath(user.string() + "/");
    }
    void TearDown() override
    {
        if (user.empty())
            return;
        SetUserPath(before);
        fs::remove_all(user);
    }
    // The user folder's file `name` stands for the unreadable file.
    std::string LinkInUserFolder(const std::string& name)
    {
        fs::create_directories((user / name).parent_path());
        fs::create_symlink(kUnreadable, user / name);
        return (user / name).string();
    }

    fs::path user;
    std::string before;
    Game game;
};

TEST_F(UnreadableFiles, EveryReaderOfAFileByItsPathRefusesItByName)
{
    struct Reader {
        const char* what;
        std::function<bool()> read;
        // What the messages say, naming the file.
        std::string said;
    };
    const std::string mem = kUnreadable;
    const std::string readError = ": expected a line, found a read error";
    const Reader readers[] = {
        {"level", [&] { return Level::LoadFile(mem, nullptr) != nullptr; }, mem + ":1" + readError},
        {"save", [&] { return GameSaveData().ReadFile(mem, nullptr); }, mem + ":1" + readError},
        {"settings", [&] { return GameConfig().LoadUserConfig(); },
            LinkInUserFolder(GameConfig::kFileName) + ":1" + readError},
        {"dialogue",
            [&] {
                // The dialogue folder is the user folder for this one read.
                const std::string dialogues = GetDialogPath();
                SetDialogPath(user.string() + "/");
                std::vector<DialogueFile::Line> lines;
                const bool read = DialogueFile::LoadBlock("talk.txt", 0, lines);
                SetDialogPath(dialogues);
                return read;
            },
            LinkInUserFolder("dialogues_eng/talk.txt") + ":1: expected a dialogue line, found a read error"},
        {"command file",
            [&] {
                std::ifstream file(mem, std::ios::binary);
                game.RunCommandFile(file, mem);
                return false;
            },
            mem + ":1: expected a command line, found a read error"},
        {"game library",
            [&] {
                std::ifstream file(mem, std::ios::binary);
                ReaderContext context(file, mem);
                return game.UnSerialize(file);
            },
            mem + ":1" + readError},
        {"load log",
            [&] {
                const std::string log = LinkInUserFolder("LoadPNG_OutOfLoadingScope.log");
                RenderPoolManager pool(false);
                pool.LogOutOfScopeLoad("image.png");
                return false;
            },
            (user / "LoadPNG_OutOfLoadingScope.log").string() + readError},
    };
    for (const Reader& reader : readers) {
        SCOPED_TRACE(reader.what);
        DebugCapture debug;
        EXPECT_FALSE(reader.read());
        EXPECT_NE(debug.Text().find(reader.said), std::string::npos) << debug.Text();
    }
}

} // namespace
