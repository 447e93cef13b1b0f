#include "game/Game.h"

#include "engine/config/GamePaths.h"
#include "engine/platform/AtomicFile.h"
#include "game/GameCommands.h"
#include "scene/MapModel.h"
#include "tests/engine/platform/DebugCapture.h"
#include "tests/game/SaveTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A game whose user folder is a fresh temporary folder.
class GameSaves : public testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("quenholt-slots-" + std::to_string(getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        SetUserPath(folder.string() + "/");
        game.minimapModel = std::make_unique<MapModel>();
    }
    void TearDown() override
    {
        SetUserPath("");
        fs::remove_all(folder);
    }

    static std::string FileText(const fs::path& path)
    {
        std::ifstream is(path, std::ios::binary);
        std::ostringstream text;
        text << is.rdbuf();
        return text.str();
    }
    std::string SlotText(int slot) const
    {
        return FileText(folder / ("Save_" + std::to_string(slot) + ".sav"));
    }
    void WriteSlot(int slot, const std::string& text) const
    {
        std::ofstream os(folder / ("Save_" + std::to_string(slot) + ".sav"), std::ios::binary);
        os << text;
    }
    // A save as format 10 writes it: no format word nor achievements, the
    // score after the two flags, the play time after the fireflies.
    static std::string AsFormat10(
        const std::string& text, const std::string& score, const std::string& playTime)
    {
        std::vector<std::string> lines = SplitSaveLines(text);
        lines.erase(lines.begin() + 2, lines.begin() + 4);
        lines[0] = "10";
        lines.resize(lines.size() - 35);
        lines.insert(lines.end() - 7, score);
        lines.insert(lines.end() - 2, playTime);
        return JoinSaveLines(lines);
    }

    fs::path folder;
    Game game;
};

TEST_F(GameSaves, SlotSummariesOfMissingGoodOlderAndDamagedSlots)
{
    EXPECT_EQ(game.GetSaveSlotPercent(0), -1);
    EXPECT_EQ(game.GetSaveSlotSummary(0), "");
    EXPECT_EQ(game.GetSaveSlotPercent(-1), -1) << "no current slot";

    GameSaveData record;
    record.SetScore(2);
    record.SetPlayTime(3723000);
    const std::string good = WriteToText(record);
    WriteSlot(0, good);
    game.maxAdvanceScore = 3;
    EXPECT_EQ(game.GetSaveSlotPercent(0), 66);
    EXPECT_EQ(game.GetSaveSlotSummary(0), "01:02:03");

    // Format 10 keeps its score further down: the percent reads the file.
    WriteSlot(1, AsFormat10(good, "3", "3723000"));
    EXPECT_EQ(game.GetSaveSlotPercent(1), 100);
    EXPECT_EQ(game.GetSaveSlotSummary(1), "01:02:03");

    WriteSlot(2, good.substr(0, good.size() / 2));
    EXPECT_EQ(game.GetSaveSlotSummary(2), "") << "a cut slot has no summary";
    EXPECT_EQ(game.GetSaveSlotPercent(2), 66) << "its head still reads";
    EXPECT_TRUE(game.IsSaveSlotDamaged(2)) << "a cut slot is damaged, not a saved game";
    EXPECT_FALSE(game.IsSaveSlotDamaged(0));
    EXPECT_FALSE(game.IsSaveSlotDamaged(1)) << "an older format reads whole";
    WriteSlot(2, "twelve\r\n");
    EXPECT_EQ(game.GetSaveSlotPercent(2), Game::kDamagedSave) << "not even a head";
    // An editor's byte-order mark and trailing NUL padding: a whole save still.
    WriteSlot(2, "\xEF\xBB\xBF" + good + std::string(3, '\0'));
    EXPECT_EQ(game.GetSaveSlotPercent(2), 66);
    EXPECT_EQ(game.GetSaveSlotSummary(2), "01:02:03");
    EXPECT_FALSE(game.IsSaveSlotDamaged(2));
}

// The slot list reads a format-11 or -12 file only as far as its play time;
// an older one, whose score lies further down, is read whole. A failed read
// leaves the record as it was.
TEST_F(GameSaves, HeaderReadsFormatWordScoreAndPlayTimeOnly)
{
    GameSaveData record;
    record.SetScore(2);
    record.SetPlayTime(3723000);
    const std::string good = WriteToText(record);
    const std::string format10 = AsFormat10(good, "5", "60000");
    const struct {
        const char* what;
        const char* text; // null: no file
        bool read;
        int32_t score;
        uint32_t playTime;
        const char* said; // named with its line when the head fails there
    } cases[] = {
        {"no file", nullptr, false, 9, 9, ""},
        {"a whole save", good.c_str(), true, 2, 3723000, ""},
        {"the head alone", "12\r\nQHGAME\r\n7\r\n1000\r\n", true, 7, 1000, ""},
        {"any word, a head cut after it", "11\nanything\n8\n2000\nnot a cell\n", true, 8, 2000, ""},
        {"a format-10 save, read whole", format10.c_str(), true, 5, 60000, ""},
        {"a format-10 save cut short", "10\r\nQHGAME\r\n0\r\n", false, 9, 9, ""},
        {"a format line that is no number", "twelve\r\nQHGAME\r\n7\r\n1000\r\n", false, 9, 9,
            "Save_1.sav:1: expected"},
        {"a title that is no text", "12\r\nQH\x01GAME\r\n7\r\n1000\r\n", false, 9, 9,
            "Save_1.sav:2: expected a line of text"},
        {"a score that is no number", "12\r\nQHGAME\r\nseven\r\n1000\r\n", false, 9, 9,
            "Save_1.sav:3: expected"},
        {"no play time", "12\r\nQHGAME\r\n7\r\n", false, 9, 9, "Save_1.sav:4: expected"},
        {"a format beyond 12", "13\r\nQHGAME\r\n7\r\n1000\r\n", false, 9, 9,
            "Save_1.sav:1: expected a save format from 0 to 12"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(folder / "Save_1.sav");
        if (c.text != nullptr)
            WriteSlot(1, c.text);
        GameSaveData header;
        header.SetScore(9);
        header.SetPlayTime(9);
        DebugCapture debug;
        EXPECT_EQ(header.ReadHeader(1), c.read);
        EXPECT_NE(debug.Text().find(c.said), std::string::npos) << debug.Text();
        EXPECT_EQ(header.GetScore(), c.score);
        EXPECT_EQ(header.GetPlayTime(), c.playTime);
    }
    GameSaveData header;
    fs::remove(folder / "Save_1.sav");
    ASSERT_EQ(::mkfifo((folder / "Save_1.sav").c_str(), 0600), 0);
    DebugCapture debug;
    EXPECT_FALSE(header.ReadHeader(1)) << "a pipe at the slot's name is refused, not waited on";
    EXPECT_NE(debug.Text().find("Save_1.sav: is not a regular file"), std::string::npos) << debug.Text();
    EXPECT_EQ(game.GetSaveSlotPercent(1), Game::kDamagedSave);
    fs::remove(folder / "Save_1.sav");
    EXPECT_FALSE(header.ReadHeader(-1)) << "no current slot";
    WriteSlot(1, "12\r\nQHGAME\r\n7\r\n1000\r\n");
    game.currentSaveSlot = 1;
    EXPECT_TRUE(header.ReadHeader(-1));
    EXPECT_EQ(header.GetScore(), 7);
}

TEST_F(GameSaves, NoSlotNothingSavedNothingLoaded)
{
    game.saveData.SetMapName("Kept.lvl");
    EXPECT_FALSE(game.saveData.Save());
    EXPECT_TRUE(fs::is_empty(folder));
    EXPECT_FALSE(game.saveData.Load(-1, true));
    EXPECT_EQ(game.saveData.GetMapName(), "Kept.lvl");
    EXPECT_TRUE(game.console.ExecuteCommand("save"));
    EXPECT_TRUE(fs::is_empty(folder));
}

// A slot must name a level Continue can read back: a level opened by a path
// outside the level folder is not saved, and the slot stays.
TEST_F(GameSaves, SaveOfALevelOpenedFromOutsideTheLevelFolderIsRefusedAndSaid)
{
    game.currentSaveSlot = 0;
    game.saveData.SetMapName("levels/cemetery_01.lvl");
    DebugCapture debug;
    EXPECT_FALSE(game.saveData.Save());
    EXPECT_TRUE(fs::is_empty(folder));
    EXPECT_NE(debug.Text().find("Cannot save " + folder.string()
                  + "/Save_0.sav: the level "
                    "\"levels/cemetery_01.lvl\" was opened from outside the level folder"),
        std::string::npos)
        << debug.Text();
}

TEST_F(GameSaves, SaveReportsAFolderItCannotWriteWithTheFileAndTheReason)
{
    const std::string missing = (folder / "missing").string() + "/";
    SetUserPath(missing);
    game.currentSaveSlot = 0;
    DebugCapture debug;
    EXPECT_FALSE(game.saveData.Save());
    EXPECT_FALSE(game.SaveGameAt(1.0f, 2.0f, 1));
    EXPECT_NE(debug.Text().find("Cannot save " + missing + "Save_0.sav: No such file or directory"),
        std::string::npos)
        << debug.Text();
}

// Temporary files a kill left behind go at the next save once they are
// surely stale; one that another game may be writing stays, whatever its
// name says of the process that made it, and so does a user's own file.
TEST_F(GameSaves, SaveRemovesOnlySurelyStaleTemporaryFiles)
{
    game.currentSaveSlot = 1;
    game.saveData.SetMapName("Kept.lvl");
    const auto left = [&](const std::string& part, int age) {
        const fs::path file = folder / ("Save_1.sav." + part + ".tmp");
        std::ofstream(file, std::ios::binary) << "half a save";
        fs::last_write_time(file, fs::last_write_time(file) - std::chrono::seconds(age));
        return file;
    };
    const fs::path stale = left("00000000000000a1", platform::kStaleTemporarySeconds + 60);
    const fs::path usersOwn = left("my-backup", platform::kStaleTemporarySeconds + 60);
    const fs::path writing = left("1a2b3c4d5e6f7a8b", 0);
    const fs::path recentOfThisProcess = left(std::to_string(getpid()), 60);
    const fs::path otherSlot = folder / "Save_10.sav.1.tmp";
    std::ofstream(otherSlot, std::ios::binary) << "half a save";
    fs::last_write_time(otherSlot, fs::last_write_time(stale));
    EXPECT_TRUE(game.saveData.Save());
    EXPECT_FALSE(fs::exists(stale));
    for (const fs::path& kept : {writing, recentOfThisProcess, otherSlot, usersOwn})
        EXPECT_TRUE(fs::exists(kept)) << kept;
    EXPECT_NE(SlotText(1).find("Kept.lvl"), std::string::npos);
}

// "save" before any level (the command line, the console or a settings
// file) would replace the slot's progress by an empty record: it is refused.
TEST_F(GameSaves, SaveWithoutALevelKeepsTheSlotAndSaysWhy)
{
    GameSaveData record;
    FillEveryField(record);
    WriteSlot(0, WriteToText(record));
    const std::string progress = SlotText(0);
    game.currentSaveSlot = 0;
    DebugCapture debug;
    EXPECT_TRUE(game.console.ExecuteCommand("save"));
    EXPECT_EQ(SlotText(0), progress);
    EXPECT_NE(debug.Text().find("save: no level is loaded"), std::string::npos) << debug.Text();
}

TEST_F(GameSaves, SaveGameAtFacingRules)
{
    game.currentSaveSlot = 1;
    game.saveData.SetDirection(-1);
    struct Case {
        int direction;
        int saved;
    };
    for (const Case& c : {Case {1, 1}, Case {-1, -1}, Case {1, 1}, Case {5, 1}, Case {0, 1}}) {
        ASSERT_TRUE(game.SaveGameAt(64.5f, -32.0f, c.direction));
        GameSaveData loaded;
        ASSERT_TRUE(loaded.Load(1, false));
        EXPECT_EQ(loaded.GetDirection(), c.saved) << "asked " << c.direction;
        EXPECT_EQ(loaded.GetPosition(), Point<float>(64.5f, -32.0f));
    }
}

TEST_F(GameSaves, LoadCommandAppliesOnlyAWholeSlot)
{
    GameSaveData record;
    FillEveryField(record);
    AchievementManager achievements;
    achievements.FindByName("Keep Going")->SetCurrent(5);
    std::ostringstream os;
    record.Write(os, &achievements);
    const std::string good = os.str();

    game.currentSaveSlot = 2;
    game.saveData.SetMapName("Before.lvl");
    // A damaged slot: nothing of it reaches the game, and the file stays.
    const std::string damaged = good.substr(0, good.size() - 10);
    WriteSlot(2, damaged);
    EXPECT_TRUE(game.console.ExecuteCommand("load"));
    EXPECT_EQ(game.saveData.GetMapName(), "Before.lvl");
    EXPECT_EQ(game.GetAchievements().FindByName("Keep Going")->GetCurrent(), 0);
    EXPECT_EQ(SlotText(2), damaged);

    WriteSlot(2, good);
    EXPECT_TRUE(game.console.ExecuteCommand("load"));
    EXPECT_EQ(game.saveData.GetMapName(), "Garden_02.lvl");
    EXPECT_EQ(game.GetAchievements().FindByName("Keep Going")->GetCurrent(), 5);
    EXPECT_EQ(SlotText(2), good);

    // Saved again, the slot holds what was loaded.
    EXPECT_TRUE(game.console.ExecuteCommand("save"));
    EXPECT_EQ(SlotText(2), good);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

// The level records and saved variables of a record as units of text lines:
// each level's name and list, then each variable.
std::vector<std::vector<std::string>> RecordUnits(const GameSaveData& data)
{
    std::vector<std::vector<std::string>> units;
    const auto& records = data.GetLevelRecords();
    for (size_t i = 0; i + 1 < records.size(); i += 2) {
        std::ostringstream os;
        records[i]->Serialize(os);
        records[i + 1]->Serialize(os);
        units.push_back(SplitSaveLines(os.str()));
    }
    for (const auto& variable : data.GetSaveVars()) {
        std::ostringstream os;
        variable->Serialize(os);
        units.push_back(SplitSaveLines(os.str()));
    }
    return units;
}

// Every one-line damage of the record region (the level records and the
// saved variables) of a three-record slot, loaded and saved again by the
// game: either refused, the file kept byte for byte, or loaded with every
// record and variable as written but the damaged one, which differs from
// the slot at the damaged line alone. No list is lost: one whose flag line
// alone is damaged reads whole and is kept, the line said once.
TEST_F(GameSaves, EveryOneLineDamageOfTheRecordsIsRefusedOrChangesOnlyThatLine)
{
    GameSaveData record;
    record.SetMapName("cemetery_01.lvl");
    record.SetModifierFlags({true, false, false, false, false, true, false});
    for (const auto& [name, states] :
        std::vector<std::pair<std::string, std::vector<int>>> {{"Cimetery_TP_01.lvl", {4, 1, 9, 0}},
            {"cemetery_02.lvl", {}}, {"cemetery_01.lvl", {2, 0, 3, 1}}}) {
        VectorSerialize& list = record.StartLevelRecord(name);
        for (int state : states)
            list.Append(std::make_unique<IntSerialize>(state));
    }
    for (const auto& [name, value] :
        {std::pair<std::string, std::string> {"urn_c01", "1"}, {"got_27", "two words"}}) {
        ScriptVar variable(name);
        variable.SetValue(value);
        record.AddSaveVar(variable);
    }
    const std::vector<std::string> good = SplitSaveLines(WriteToText(record));
    const std::vector<std::vector<std::string>> units = RecordUnits(record);
    // Which unit each line of the region belongs to (-1: a count line), and where in it.
    std::vector<std::pair<int, size_t>> owner = {{-1, 0}};
    for (size_t u = 0; u < units.size(); ++u) {
        if (u == 3)
            owner.push_back({-1, 0});
        for (size_t at = 0; at < units[u].size(); ++at)
            owner.push_back({static_cast<int>(u), at});
    }
    const size_t start
        = static_cast<size_t>(std::find(good.begin(), good.end(), "Cimetery_TP_01.lvl") - good.begin() - 1);
    ASSERT_EQ(good[start], "6");
    const size_t after = start + owner.size();
    const auto damaged = [&good](size_t line, int damage, const std::string& value) {
        std::vector<std::string> lines = good;
        if (damage == 0)
            lines[line] = value;
        else if (damage == 1)
            lines.erase(lines.begin() + static_cast<long>(line));
        else if (damage == 2)
            lines.insert(lines.begin() + static_cast<long>(line), lines[line]);
        else
            lines.resize(line);
        return JoinSaveLines(lines);
    };
    // The regression slot is this slot with cemetery_01's flag line not a flag.
    EXPECT_EQ(
        FileText(fs::path(QUENHOLT_TEST_DATA_DIR) / "regressions/save_game/three-records-owns-line-x.sav"),
        damaged(start + 1 + units[0].size() + units[1].size() + 1, 0, "x"));

    // Ten replacements, then a deletion, a doubling and a cut.
    std::vector<std::pair<int, std::string>> damages;
    for (const char* value :
        {"x", "", "0", "1", "2", "-1", "2147483647", "99999999999", "IntSerializeV0", "\x01"})
        damages.push_back({0, value});
    damages.insert(damages.end(), {{1, ""}, {2, ""}, {3, ""}});
    game.currentSaveSlot = 0;
    for (size_t line = start; line < after; ++line) {
        for (const auto& [damage, value] : damages) {
            SCOPED_TRACE("line " + std::to_string(line + 1) + " (\"" + good[line] + "\"), damage "
                + std::to_string(damage) + " \"" + value + "\"");
            const std::string text = damaged(line, damage, value);
            WriteSlot(0, text);
            DebugCapture debug;
            const auto [unit, at] = owner[line - start];
            const bool flagNotAFlag
                = unit >= 0 && unit < 3 && at == 1 && damage == 0 && value != "0" && value != "1";
            if (!game.saveData.Load(0, true)) {
                EXPECT_FALSE(flagNotAFlag) << "a list that reads whole was refused";
                EXPECT_FALSE(game.saveData.Save());
                EXPECT_EQ(SlotText(0), text);
                continue;
            }
            ASSERT_TRUE(game.saveData.Save());
            const std::vector<std::string> written = SplitSaveLines(SlotText(0));
            GameSaveData again;
            std::istringstream is(JoinSaveLines(written));
            ASSERT_TRUE(again.Read(is, nullptr));
            const auto loaded = RecordUnits(again);
            ASSERT_EQ(loaded.size(), units.size());
            // Everything outside the region is as the slot holds it.
            ASSERT_GE(written.size(), start);
            EXPECT_TRUE(std::equal(good.begin(), good.begin() + static_cast<long>(start), written.begin()));
            EXPECT_TRUE(std::equal(good.begin() + static_cast<long>(after), good.end(),
                written.end() - static_cast<long>(good.size() - after)));
            const size_t said = debug.Text().find("skipped the flag line");
            EXPECT_EQ(said != std::string::npos, flagNotAFlag) << debug.Text();
            EXPECT_EQ(debug.Text().rfind("skipped the flag line"), said) << "said more than once";
            for (size_t u = 0; u < units.size(); ++u) {
                if (loaded[u] == units[u])
                    continue;
                ASSERT_EQ(static_cast<int>(u), unit) << "another record or variable changed";
                // A replaced line may read as what it now says, and alone.
                bool onlyThatLine = damage == 0 && loaded[u].size() == units[u].size();
                for (size_t i = 0; i < units[u].size() && onlyThatLine; ++i)
                    onlyThatLine = i == at || loaded[u][i] == units[u][i];
                EXPECT_TRUE(onlyThatLine) << "more than the damaged line changed";
            }
        }
    }
}

TEST_F(GameSaves, ResetStartsAtTheFirstMap)
{
    EXPECT_TRUE(game.console.ExecuteCommand("setfirstmap cemetery_01.lvl"));
    game.saveData.Reset();
    EXPECT_EQ(game.saveData.GetMapName(), "cemetery_01.lvl");
}

} // namespace
