#include "tools/keys/HeartSlot.h"

#include "characters/Player.h"
#include "game/GameSaveData.h"
#include "script/ScriptVar.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

// The real-keys fight's slot: a save in the Heart raised to the end-game
// stats through the game's own slot reader and writer, and the win read
// back from its "done_h".
namespace {

namespace fs = std::filesystem;

class HeartSlotTest : public testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("quenholt-heart-slot-" + std::to_string(getpid()));
        fs::create_directories(folder);
        slot = (folder / "Save_0.sav").string();
    }
    void TearDown() override { fs::remove_all(folder); }

    void Write(const std::string& level, const std::string& done)
    {
        GameSaveData record;
        record.SetFormatVersion(GameSaveData::kFormat);
        record.SetMapName(level);
        record.SetMaxLife(4);
        record.SetModifierFlags(std::vector<bool>(7, true));
        if (!done.empty()) {
            ScriptVar won("done_h");
            won.SetValue(done);
            record.AddSaveVar(won);
        }
        ASSERT_TRUE(record.WriteFile(slot, nullptr, 7));
    }

    fs::path folder;
    std::string slot;
};

TEST_F(HeartSlotTest, RaisesASaveInTheHeartToTheEndGameStats)
{
    Write("cemetery_heart.lvl", "");
    std::string error;
    ASSERT_TRUE(HeartSlot::Raise(slot, error)) << error;
    GameSaveData record;
    ASSERT_TRUE(record.ReadFile(slot, nullptr, &error, false)) << error;
    EXPECT_EQ(record.GetMaxLife(), 8);
    EXPECT_EQ(record.GetAttackRank(), 4);
    EXPECT_EQ(record.GetFireArmorLevel(), 2);
    EXPECT_EQ(record.GetIceArmorLevel(), 2);
    EXPECT_EQ(record.GetCurrentArmor(), Player::kIceArmor);
    EXPECT_EQ(record.GetModifierFlags().size(), 7u);
    EXPECT_EQ(HeartSlot::Won(slot), false);
}

TEST_F(HeartSlotTest, RefusesASaveElsewhereAndReadsTheWin)
{
    Write("cemetery_crypt.lvl", "1");
    std::string error;
    EXPECT_FALSE(HeartSlot::Raise(slot, error));
    EXPECT_NE(error.find("cemetery_crypt.lvl"), std::string::npos) << error;
    EXPECT_EQ(HeartSlot::Won(slot), true);
    EXPECT_EQ(HeartSlot::Won((folder / "none.sav").string()), std::nullopt);
    EXPECT_EQ(HeartSlot::SlotFile("/d"), "/d/My Games/Quenholt/Save_0.sav");
}

} // namespace
