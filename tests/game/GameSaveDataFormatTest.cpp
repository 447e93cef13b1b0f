#include "game/GameSaveData.h"

#include "engine/serial/IntSerialize.h"
#include "engine/serial/ReaderContext.h"
#include "engine/serial/StrSerialize.h"
#include "engine/serial/VectorSerialize.h"
#include "game/AchievementManager.h"
#include "script/ScriptVar.h"
#include "tests/engine/platform/DebugCapture.h"
#include "tests/game/SaveTestSupport.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

namespace {

using Entries = std::vector<std::pair<std::string, int32_t>>;

TEST(GameSaveDataFormat, RoundTripKeepsEveryField)
{
    GameSaveData saved;
    FillEveryField(saved);
    AchievementManager achievements;
    achievements.FindByName("Keep Going")->SetCurrent(4);
    achievements.FindByName("Portal")->SetCurrent(1);

    std::ostringstream written;
    ASSERT_TRUE(saved.Write(written, &achievements));
    GameSaveData loaded;
    Entries entries;
    std::istringstream is(written.str());
    ASSERT_TRUE(loaded.Read(is, &entries));

    // Fields next to each other in the file, and the lists, land where they
    // belong; the text written again is the same.
    EXPECT_EQ(loaded.GetScore(), 37);
    EXPECT_EQ(loaded.GetPlayTime(), 4000000000u);
    EXPECT_EQ(loaded.GetCells(), saved.GetCells());
    ASSERT_EQ(loaded.GetTeleports().size(), 3u);
    EXPECT_EQ(loaded.GetTeleports()[1].name, "TP Cave");
    EXPECT_EQ(loaded.GetTeleports()[1].cell, Point<int>(-4, 43));
    EXPECT_FLOAT_EQ(loaded.GetPosition().x, 1234.57f); // six significant digits
    EXPECT_FLOAT_EQ(loaded.GetPosition().y, -0.00123457f);
    EXPECT_EQ(loaded.GetModifierFlags(), saved.GetModifierFlags());
    EXPECT_EQ(loaded.GetCrossbowAmmo(), 2);
    EXPECT_EQ(loaded.GetCrossbowCapacity(), 5);
    EXPECT_EQ(loaded.GetIceArmorLevel(), 2);
    EXPECT_EQ(loaded.GetFireArmorLevel(), 1);
    EXPECT_EQ(loaded.GetStoryHint(), std::make_pair(17, 22));
    EXPECT_EQ(loaded.GetSaveVars()[1]->GetValue(), "two words");
    EXPECT_EQ(loaded.FindLevelRecord("Garden_02")->As<IntSerialize>(2)->value, 8);
    ASSERT_EQ(entries.size(), 17u);
    EXPECT_EQ(entries[14], (std::pair<std::string, int32_t>("Keep Going", 4)));
    // Written again, the loaded record gives the same text.
    std::ostringstream again;
    ASSERT_TRUE(loaded.Write(again, &achievements));
    EXPECT_EQ(again.str(), written.str());
}

TEST(GameSaveDataFormat, Format12LayoutLineByLine)
{
    GameSaveData record;
    record.SetScore(5);
    record.SetPlayTime(61000);
    record.SetCell(1, 0, 2);
    record.SetCell(0, 43, 1);
    record.SetMapName("Snow_01.lvl");
    record.SetTeleports({TeleportInfo {"TP One", "Snow_TP.lvl", {3, 4}}});
    record.SetPosition(10.5f, 20.25f);
    record.SetModifierFlags({true, false});
    record.StartLevelRecord("Snow_01").Append(std::make_unique<IntSerialize>(6));
    ScriptVar variable("door");
    variable.SetValue("open");
    record.AddSaveVar(variable);
    record.SetStoryHint({4, 5});
    AchievementManager achievements;

    std::ostringstream os;
    ASSERT_TRUE(record.Write(os, &achievements));
    const std::vector<std::string> lines = SplitSaveLines(os.str());
    EXPECT_EQ(os.str().find('\n'), os.str().find("\r\n") + 1) << "lines end with CR LF";

    ASSERT_GT(lines.size(), 2300u);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 4),
        (std::vector<std::string> {"12", "QHGAME", "5", "61000"}));
    // Cells column by column: (0, 43) is the 44th cell, (1, 0) the 45th.
    EXPECT_EQ(lines[4 + 43], "1");
    EXPECT_EQ(lines[4 + 44], "2");
    EXPECT_EQ(lines[4 + 45], "0");
    const std::vector<std::string> tail(lines.begin() + 4 + 2244, lines.end());
    const std::vector<std::string> expected = {
        "Snow_01.lvl", "1", "3", "4", "Snow_TP.lvl", "TP One", // map, teleporters
        "10.5", "20.25", "1",                                  // position, attack rank
        "2", "1", "0", "-1",                                   // flags, current armor
        "2", "Snow_01", "1", "1", "IntSerializeV0", "6",       // level records
        "1", "ScriptVarV0", "door", "open",                    // saved variables
        "0", "0", "4", "0", "0", "150", "0", "0",              // crossbow .. power, two flags
        "1", "1", "1", "1", "0",                               // direction, counter, ice, fire, fireflies
        "4", "5",                                              // story hint
    };
    ASSERT_GE(tail.size(), expected.size());
    EXPECT_EQ(
        std::vector<std::string>(tail.begin(), tail.begin() + static_cast<long>(expected.size())), expected);
    // Then the 17 achievements, name and value each.
    const std::vector<std::string> rest(tail.begin() + static_cast<long>(expected.size()), tail.end());
    ASSERT_EQ(rest.size(), 1u + 2 * 17);
    EXPECT_EQ(rest[0], "17");
    EXPECT_EQ(rest[1], "Invincible");
    EXPECT_EQ(rest[33], "The Mask");
}

TEST(GameSaveDataFormat, FlagCountNeverBelowTheFlagsWritten)
{
    // The player has more modifiers than the record holds flags: the missing
    // ones are written as 0 and counted, so the armor line stays in place.
    GameSaveData record;
    record.SetModifierFlags({true});
    record.SetCurrentArmor(1);
    std::ostringstream os;
    ASSERT_TRUE(record.Write(os, nullptr, 4));
    GameSaveData loaded;
    std::istringstream is(os.str());
    ASSERT_TRUE(loaded.Read(is, nullptr));
    EXPECT_EQ(loaded.GetModifierFlags(), (std::vector<bool> {true, false, false, false}));
    EXPECT_EQ(loaded.GetCurrentArmor(), 1);
}

// A slot's text, then a read the system fails, as a file stream's buffer
// fails on a disk error: by throwing.
class TextThenReadError : public std::streambuf {
public:
    explicit TextThenReadError(std::string given)
        : text(std::move(given))
    {
        setg(text.data(), text.data(), text.data() + text.size());
    }

protected:
    int_type underflow() override { throw std::ios_base::failure("error reading the file"); }

private:
    std::string text;
};

// One older format written by hand from the format table, and what each
// group reads to.
struct OlderFormat {
    int format;
    bool headScore; // score and play time on lines 3 and 4
    bool variables, crossbow, flags, midScore, direction, counter, armorLevels, fireflies, lateTime, hint;
};

// The row's name as the test lists it (never its bytes, which hold padding).
void PrintTo(const OlderFormat& f, std::ostream* os)
{
    *os << "Format" << f.format;
}

class GameSaveDataOlderFormat : public testing::TestWithParam<OlderFormat> { };

TEST_P(GameSaveDataOlderFormat, ReadsTheGroupsItsFormatHas)
{
    const OlderFormat f = GetParam();
    std::vector<std::string> lines = {std::to_string(f.format), "ANYWORD"};
    if (f.headScore)
        lines.insert(lines.end(), {"41", "3723000"});
    for (int i = 0; i < 2244; ++i)
        lines.push_back(i == 45 ? "2" : "0");
    lines.insert(lines.end(), {"Cave_03.lvl", "1", "9", "8", "Cave_TP.lvl", "TP Cave", "-12.5", "64", "2"});
    lines.insert(lines.end(), {"3", "1", "0", "1", "1", "0"}); // flags, armor; no level records
    if (f.variables)
        lines.insert(lines.end(), {"1", "ScriptVarV0", "lever", "down"});
    if (f.crossbow)
        lines.insert(lines.end(), {"2", "5", "6", "1", "3", "120"});
    if (f.flags)
        lines.insert(lines.end(), {"1", "1"});
    if (f.midScore)
        lines.push_back("41");
    if (f.direction)
        lines.push_back("-1");
    if (f.counter)
        lines.push_back("3");
    if (f.armorLevels)
        lines.insert(lines.end(), {"2", "1"});
    if (f.fireflies)
        lines.push_back("1");
    if (f.lateTime)
        lines.push_back("3723000");
    if (f.hint)
        lines.insert(lines.end(), {"30", "12"});

    GameSaveData loaded;
    std::istringstream is(JoinSaveLines(lines));
    ReaderContext context(is, "Save_1.sav");
    ASSERT_TRUE(loaded.Read(is, nullptr)) << context.GetError();
    EXPECT_EQ(loaded.GetFormatVersion(), f.format);
    EXPECT_EQ(loaded.GetCell(1, 1), 2);
    EXPECT_EQ(loaded.GetMapName(), "Cave_03.lvl");
    ASSERT_EQ(loaded.GetTeleports().size(), 1u);
    EXPECT_EQ(loaded.GetTeleports()[0].cell, Point<int>(9, 8));
    EXPECT_EQ(loaded.GetPosition(), Point<float>(-12.5f, 64.0f));
    EXPECT_EQ(loaded.GetModifierFlags(), (std::vector<bool> {true, false, true}));
    EXPECT_EQ(loaded.GetCurrentArmor(), 1);
    EXPECT_EQ(loaded.GetSaveVars().size(), f.variables ? 1u : 0u);
    EXPECT_EQ(loaded.GetMaxLife(), f.crossbow ? 6 : 4);
    EXPECT_EQ(loaded.GetPowerPerSlot(), f.crossbow ? 120 : 150);
    EXPECT_EQ(loaded.GetPlayerFlag2(), f.flags);
    EXPECT_EQ(loaded.GetScore(), f.headScore || f.midScore ? 41 : 0);
    EXPECT_EQ(loaded.GetDirection(), f.direction ? -1 : 1);
    EXPECT_EQ(loaded.GetPlayerCounter(), f.counter ? 3 : 1);
    EXPECT_EQ(loaded.GetIceArmorLevel(), f.armorLevels ? 2 : 1);
    EXPECT_EQ(loaded.GetFireArmorLevel(), 1);
    EXPECT_EQ(loaded.GetHasFireflies(), f.fireflies ? 1 : 0);
    EXPECT_EQ(loaded.FormatPlayTime(), f.headScore || f.lateTime ? "01:02:03" : "00:00:00");
    EXPECT_EQ(loaded.GetStoryHint(), f.hint ? std::make_pair(30, 12) : std::make_pair(-1, -1));
    EXPECT_TRUE(is.peek() == EOF) << "the whole file was read";
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, GameSaveDataOlderFormat,
    testing::Values( //
        OlderFormat {0, false, false, false, false, false, false, false, false, false, false, false},
        OlderFormat {1, false, true, false, false, false, false, false, false, false, false, false},
        OlderFormat {2, false, true, true, false, false, false, false, false, false, false, false},
        OlderFormat {3, false, true, true, true, false, false, false, false, false, false, false},
        OlderFormat {4, false, true, true, true, true, false, false, false, false, false, false},
        OlderFormat {5, false, true, true, true, true, true, false, false, false, false, false},
        OlderFormat {6, false, true, true, true, true, true, true, false, false, false, false},
        OlderFormat {7, false, true, true, true, true, true, true, true, false, false, false},
        OlderFormat {8, false, true, true, true, true, true, true, true, true, false, false},
        OlderFormat {9, false, true, true, true, true, true, true, true, true, true, false},
        OlderFormat {10, false, true, true, true, true, true, true, true, true, true, true},
        OlderFormat {11, true, true, true, true, false, true, true, true, true, false, true}),
    [](const testing::TestParamInfo<OlderFormat>& info) { return testing::PrintToString(info.param); });

TEST(GameSaveDataFormat, BadTeleporterCoordinatesOrLevelListValuesKeepTheFileLoading)
{
    GameSaveData record;
    record.SetTeleports({TeleportInfo {"A", "a.lvl", {1, 2}}, TeleportInfo {"B", "b.lvl", {3, 4}}});
    std::string text = WriteToText(record);
    const size_t at = text.find("\r\n1\r\n2\r\na.lvl");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 6, "\r\nx\r\ny");

    GameSaveData loaded;
    std::istringstream is(text);
    ReaderContext context(is, "Save_0.sav");
    ASSERT_TRUE(loaded.Read(is, nullptr));
    ASSERT_EQ(loaded.GetTeleports().size(), 2u);
    EXPECT_EQ(loaded.GetTeleports()[0].cell, Point<int>(0, 0));
    EXPECT_EQ(loaded.GetTeleports()[1].cell, Point<int>(3, 4));
    EXPECT_FALSE(context.HasError()) << context.GetError();

    // A level's list whose flag line alone does not read ends where its
    // count says: it is kept whole, the flag line named once, and the file
    // loads (any other damage of a list refuses the file: GameSaves walks them).
    GameSaveData withList;
    withList.StartLevelRecord("Garden_02").Append(std::make_unique<IntSerialize>(4));
    text = WriteToText(withList);
    text.replace(text.find("Garden_02\r\n1\r\n"), 14, "Garden_02\r\nx\r\n");
    std::istringstream listText(text);
    ReaderContext listContext(listText, "Save_0.sav");
    DebugCapture debug;
    GameSaveData listLoaded;
    ASSERT_TRUE(listLoaded.Read(listText, nullptr));
    ASSERT_NE(listLoaded.FindLevelRecord("Garden_02"), nullptr);
    ASSERT_EQ(listLoaded.FindLevelRecord("Garden_02")->Size(), 1u);
    EXPECT_EQ(listLoaded.FindLevelRecord("Garden_02")->As<IntSerialize>(0)->value, 4);
    EXPECT_FALSE(listContext.HasError()) << listContext.GetError();
    EXPECT_EQ(debug.Text(),
        "Save_0.sav:2258: skipped the flag line of the saved states of level \"Garden_02\" (the states are "
        "kept): expected 0 or 1, found \"x\"\n");
}

TEST(GameSaveDataFormat, UnknownAchievementNamesAreSkipped)
{
    GameSaveData record;
    std::string text = WriteToText(record);
    // Replace the achievement section with entries of our own.
    text = text.substr(0, text.rfind("17\r\nInvincible"));
    text += "3\r\nNo Such Thing\r\n9\r\nPortal\r\n1\r\nInvincible\r\n12\r\n";
    AchievementManager achievements;
    Entries entries;
    GameSaveData loaded;
    std::istringstream is(text);
    ASSERT_TRUE(loaded.Read(is, &entries));
    AchievementManager::ApplyEntries(achievements, entries);
    EXPECT_EQ(achievements.FindByName("Portal")->GetCurrent(), 1);
    EXPECT_EQ(achievements.FindByName("Invincible")->GetCurrent(), 12);
    EXPECT_EQ(achievements.FindByName("Keep Going")->GetCurrent(), 0);
}

TEST(GameSaveDataFormat, RefusedFormatsAndHugeCountsEndAtOnce)
{
    GameSaveData record;
    record.SetTeleports({TeleportInfo {"A", "a.lvl", {1, 2}}});
    const std::string good = WriteToText(record);
    struct Case {
        std::string name;
        std::string text;
        std::string expected;
    };
    std::vector<Case> cases = {
        {"newer format", "13\r\n" + good.substr(good.find("\r\n") + 2),
            "Save_0.sav:1: expected a save format"},
        {"negative format", "-1\r\n" + good.substr(good.find("\r\n") + 2),
            "Save_0.sav:1: expected a save format"},
        {"empty file", "", "Save_0.sav:1: expected "},
    };
    // Each count of the file made huge, with the file cut right after it: a
    // count with a bound of its own is refused at its line, the others where
    // the file ends.
    const std::vector<std::string> lines = SplitSaveLines(good);
    const size_t teleportCount = 4 + 2244 + 1;
    for (const auto& [countLine, bounded] : {std::pair<size_t, bool> {teleportCount, false},
             {teleportCount + 4 + 4, true}, {teleportCount + 4 + 4 + 2, true},
             {teleportCount + 4 + 4 + 3, false}, {lines.size() - 35, false}}) {
        std::vector<std::string> cut(lines.begin(), lines.begin() + static_cast<long>(countLine));
        cut.push_back("4294967295");
        cases.push_back({"huge count at line " + std::to_string(countLine + 1), JoinSaveLines(cut),
            "Save_0.sav:" + std::to_string(countLine + (bounded ? 1 : 2)) + ": expected "});
    }
    cases.push_back({"a line after the achievements", good + "0\r\n",
        "Save_0.sav:" + std::to_string(lines.size() + 1) + ": expected the end of the file, found \"0\""});
    cases.push_back({"a line after padding", good + std::string("\0\x1a\r\n\0 0\r\n", 9),
        "Save_0.sav:" + std::to_string(lines.size() + 2) + ": expected the end of the file, found \"0\""});
    // A byte-order mark is taken, never shown as bytes of the line.
    cases.push_back({"a newer format behind a byte-order mark", "\xEF\xBB\xBF" + cases[0].text,
        "Save_0.sav:1: expected a save format from 0 to 12, found 13"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GameSaveData loaded;
        std::istringstream is(c.text);
        ReaderContext context(is, "Save_0.sav");
        EXPECT_FALSE(loaded.Read(is, nullptr));
        EXPECT_EQ(context.GetError().rfind(c.expected, 0), 0u) << context.GetError();
    }
    // Nor is a file whose end cannot be read whole.
    TextThenReadError failing(good);
    std::istream failingStream(&failing);
    ReaderContext failingContext(failingStream, "Save_0.sav");
    EXPECT_FALSE(GameSaveData().Read(failingStream, nullptr));
    EXPECT_EQ(failingContext.GetError(),
        "Save_0.sav:" + std::to_string(lines.size()) + ": expected the end of the file, found a read error");
    // What editors and file systems leave after the last group is no data,
    // nor a byte-order mark before the first: the slot still loads.
    for (const std::string& text : {good + "\r\n \r\n", good + std::string(70000, '\0'), good + "\x1a",
             good + std::string("\t\r\n\0\0\x1a\f", 7), "\xEF\xBB\xBF" + good}) {
        GameSaveData loaded;
        std::istringstream is(text);
        ReaderContext context(is, "Save_0.sav");
        EXPECT_TRUE(loaded.Read(is, nullptr)) << context.GetError();
        EXPECT_EQ(loaded.GetTeleports().size(), 1u);
    }
}

// Every value a save gives the player, read at the ends of what play reaches
// (kept as written) and one beyond each end (refused at its line).
TEST(GameSaveDataFormat, PlayerValuesReadWithinWhatPlayReaches)
{
    GameSaveData record;
    record.SetModifierFlags({true});
    const std::vector<std::string> lines = SplitSaveLines(WriteToText(record));
    const size_t rank = 4 + 2244 + 4;
    const size_t end = lines.size();
    constexpr int32_t kNone = std::numeric_limits<int32_t>::min();
    struct Field {
        size_t line; // from 0
        int32_t lowest, highest;
        std::string expected;
    };
    for (const Field& f : {Field {rank, 1, 4, "an attack rank from 1 to 4"}, Field {rank + 2, 0, 1, "0 or 1"},
             Field {rank + 3, -1, 1, "a worn armor from -1 to 1"},
             Field {end - 50, 0, 8, "a bolt count from 0 to 8"},
             Field {end - 49, 0, 8, "a bolt capacity from 0 to 8"},
             Field {end - 48, kNone, 100, "a max life of at most 100"},
             Field {end - 46, 0, 100, "a power slot count from 0 to 100"},
             Field {end - 45, kNone, 150, "a recharge period of at most 150"},
             Field {end - 42, -1, 1, "a facing from -1 to 1"},
             Field {end - 41, 1, 3, "a crossbow rank from 1 to 3"},
             Field {end - 40, 1, 2, "an armor level from 1 to 2"},
             Field {end - 39, 1, 2, "an armor level from 1 to 2"},
             Field {end - 38, 0, 1, "a fireflies flag from 0 to 1"}}) {
        SCOPED_TRACE(f.expected + " at line " + std::to_string(f.line + 1));
        std::vector<int64_t> values = {f.lowest, f.highest, int64_t(f.highest) + 1};
        if (f.lowest != kNone)
            values.push_back(int64_t(f.lowest) - 1);
        for (const int64_t value : values) {
            std::vector<std::string> changed = lines;
            changed[f.line] = std::to_string(value);
            GameSaveData loaded;
            std::istringstream is(JoinSaveLines(changed));
            ReaderContext context(is, "Save_0.sav");
            const bool within = value >= f.lowest && value <= f.highest;
            ASSERT_EQ(loaded.Read(is, nullptr), within) << value << ": " << context.GetError();
            if (within)
                EXPECT_EQ(SplitSaveLines(WriteToText(loaded))[f.line], changed[f.line]);
            else
                EXPECT_EQ(context.GetError().rfind("Save_0.sav:" + std::to_string(f.line + 1) + ": expected "
                                  + f.expected + ", found ",
                              0),
                    0u)
                    << context.GetError();
        }
    }
}

TEST(GameSaveDataFormat, PercentAndPlayTime)
{
    struct PercentCase {
        int32_t score, maximum, percent;
    };
    for (const PercentCase& c : {PercentCase {50, 100, 50}, PercentCase {2, 3, 66}, PercentCase {7, 0, 700},
             PercentCase {7, -5, 700}, PercentCase {2147483647, 1, 2147483647}, PercentCase {-3, 2, -150}})
        EXPECT_EQ(GameSaveData::CompletionPercent(c.score, c.maximum), c.percent)
            << c.score << " of " << c.maximum;

    struct TimeCase {
        uint32_t milliseconds;
        const char* text;
    };
    for (const TimeCase& c :
        {TimeCase {3723000, "01:02:03"}, TimeCase {59999, "00:00:59"}, TimeCase {86400000, "00:00:00"},
            TimeCase {25 * 3600000, "01:00:00"}, TimeCase {4294967295u, "17:02:47"}})
        EXPECT_EQ(GameSaveData::FormatPlayTime(c.milliseconds), c.text) << c.milliseconds;
}

TEST(GameSaveDataFormat, LevelRecordsOnePerLevelAtItsFirstPlace)
{
    GameSaveData record;
    record.StartLevelRecord("A").Append(std::make_unique<IntSerialize>(1));
    record.StartLevelRecord("B").Append(std::make_unique<IntSerialize>(2));
    VectorSerialize& again = record.StartLevelRecord("A");
    EXPECT_TRUE(again.Empty()) << "a second capture starts the level's list afresh";
    again.Append(std::make_unique<IntSerialize>(3));

    ASSERT_EQ(record.GetLevelRecords().size(), 4u);
    EXPECT_EQ(dynamic_cast<StrSerialize&>(*record.GetLevelRecords()[0]).value, "A");
    EXPECT_EQ(dynamic_cast<StrSerialize&>(*record.GetLevelRecords()[2]).value, "B");
    EXPECT_EQ(record.FindLevelRecord("A")->As<IntSerialize>(0)->value, 3);
    EXPECT_EQ(record.FindLevelRecord("C"), nullptr);
}

} // namespace
