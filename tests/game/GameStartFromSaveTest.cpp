#include "game/GameSaveData.h"
#include "tests/game/GameProcess.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

// Starting the program with no level named: the game saved last goes on in
// its level, at its save point; a save whose level is gone leaves the title.
namespace {

namespace fs = std::filesystem;

// The program itself, run in the assembled world's folder, with a scratch
// documents folder: the world's settings put the user folder there.
class GLGameStartFromSave : public testing::Test {
protected:
    void SetUp() override
    {
        world = QUENHOLT_WORLD_DIR;
        if (!fs::exists(world / "gamelib.txt"))
            GTEST_SKIP() << "the world is not built in " << world;
        documents = fs::temp_directory_path() / ("quenholt-start-save-" + std::to_string(getpid()));
        fs::remove_all(documents);
        user = documents / "My Games" / "Quenholt";
        // Every run chooses slot 0 and loads it in the user's settings.
        fs::create_directories(user);
        std::ofstream(user / "init_vars.txt", std::ios::binary) << "changesaveslot 0\r\nload\r\n";
    }
    void TearDown() override
    {
        if (!documents.empty())
            fs::remove_all(documents);
    }

    GameRun Start(const std::string& arguments) const
    {
        return RunGameProcess(world, arguments, "XDG_DOCUMENTS_DIR='" + documents.string() + "'");
    }
    // The slot 0 save of the user folder; false when it does not read.
    bool ReadSlot(GameSaveData& record) const { return record.ReadFile(Slot(), nullptr); }
    bool WriteSlot(const GameSaveData& record) const { return record.WriteFile(Slot(), nullptr); }
    std::string Slot() const { return (user / "Save_0.sav").string(); }

    fs::path world;
    fs::path documents;
    fs::path user;
};

} // namespace

// The first run names a level and saves in it; the save is then moved three
// tiles west. The second names no level: it enters the saved level at the
// saved point, where its own save finds the player. A third finds the saved
// level gone: the error box's text, and the game runs on its title (the save
// at the end finds no level and keeps the slot).
TEST_F(GLGameStartFromSave, AStartWithNoLevelEntersTheSavedLevelAtItsSavePointOrStaysOnTheTitle)
{
    const GameRun first = Start("cemetery_01.lvl -save -exit");
    ASSERT_EQ(first.exitCode, 0) << first.output;
    GameSaveData saved;
    ASSERT_TRUE(ReadSlot(saved)) << first.output;
    ASSERT_EQ(saved.GetMapName(), "cemetery_01.lvl");
    const Point<float> point = saved.GetPosition() + Point<float>(-96.0f, 0.0f);
    saved.SetPosition(point.x, point.y);
    ASSERT_TRUE(WriteSlot(saved));

    const GameRun second = Start("-save -exit");
    EXPECT_EQ(second.exitCode, 0) << second.output;
    EXPECT_NE(second.output.find("ChangeLevel: entered \"cemetery_01.lvl\""), std::string::npos)
        << second.output;
    EXPECT_EQ(second.output.find("map file not founded"), std::string::npos) << second.output;
    GameSaveData again;
    ASSERT_TRUE(ReadSlot(again)) << second.output;
    EXPECT_EQ(again.GetMapName(), "cemetery_01.lvl");
    EXPECT_FLOAT_EQ(again.GetPosition().x, point.x) << second.output;
    EXPECT_NEAR(again.GetPosition().y, point.y, 1.0f) << second.output;

    GameSaveData gone;
    gone.SetMapName("gone_away.lvl");
    ASSERT_TRUE(WriteSlot(gone));
    const GameRun third = Start("-save -exit");
    EXPECT_EQ(third.exitCode, 0) << third.output;
    EXPECT_NE(third.output.find("Error: Error : save map file not founded"), std::string::npos)
        << third.output;
    EXPECT_EQ(third.output.find("ChangeLevel: entered"), std::string::npos) << third.output;
    const size_t noLevel = third.output.rfind("save: no level is loaded");
    EXPECT_GT(noLevel, third.output.find("save map file not founded")) << third.output;
    GameSaveData kept;
    ASSERT_TRUE(ReadSlot(kept));
    EXPECT_EQ(kept.GetMapName(), "gone_away.lvl");
}
