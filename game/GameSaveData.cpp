#include "game/GameSaveData.h"

#include "engine/platform/AtomicFile.h"
#include "engine/platform/Paths.h"
#include "engine/serial/LineReaders.h"
#include "engine/serial/ReaderContext.h"
#include "engine/serial/StrSerialize.h"
#include "engine/serial/VectorSerialize.h"
#include "game/AchievementManager.h"
#include "script/ScriptVar.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <locale>
#include <sstream>

namespace {

// A value the save gives the player, and the values play can reach for it
// (PlayerProgress says why). Without a minimum, any value below the maximum
// is taken (the player holds a max life or a period of 0 or less as 1).
struct Range {
    int32_t minimum;
    int32_t maximum;
    const char* what;
};
constexpr int32_t kNoMinimum = std::numeric_limits<int32_t>::min();
constexpr Range kAttackRank {1, PlayerProgress::kMaxAttackRank, "an attack rank"};
constexpr Range kWornArmor {-1, PlayerProgress::kMaxWornArmor, "a worn armor"};
constexpr Range kBoltsLeft {0, PlayerProgress::kMaxBolts, "a bolt count"};
constexpr Range kBoltCapacity {0, PlayerProgress::kMaxBolts, "a bolt capacity"};
constexpr Range kMaxLife {kNoMinimum, PlayerProgress::kMaxLife, "a max life"};
constexpr Range kPowerSlots {0, PlayerProgress::kMaxPowerSlots, "a power slot count"};
constexpr Range kRechargePeriod {kNoMinimum, PlayerProgress::kMaxRechargePeriod, "a recharge period"};
constexpr Range kFacing {-1, 1, "a facing"};
constexpr Range kCrossbowRank {1, PlayerProgress::kMaxCrossbowRank, "a crossbow rank"};
constexpr Range kArmorLevel {1, PlayerProgress::kMaxArmorLevel, "an armor level"};
constexpr Range kFirefliesFlag {0, 1, "a fireflies flag"};

bool ReadIntLineWithin(std::istream& is, int32_t& target, const Range& range)
{
    int32_t value = 0;
    if (!ReadIntLine(is, value))
        return false;
    if (value < range.minimum || value > range.maximum) {
        const std::string maximum = std::to_string(range.maximum);
        return ReadError(is,
            range.minimum == kNoMinimum
                ? std::string(range.what) + " of at most " + maximum
                : std::string(range.what) + " from " + std::to_string(range.minimum) + " to " + maximum,
            std::to_string(value));
    }
    target = value;
    return true;
}

// Why a value a save would hold lies outside what play reaches, in words a
// player can act on: "the attack rank 5 is outside 1 to 4".
std::string OutsideRange(int32_t value, const Range& range)
{
    std::string_view what = range.what;
    what.remove_prefix(what.find(' ') + 1); // "an attack rank": "attack rank"
    const std::string named = "the " + std::string(what) + " " + std::to_string(value);
    if (range.minimum == kNoMinimum)
        return named + " is above " + std::to_string(range.maximum);
    return named + " is outside " + std::to_string(range.minimum) + " to " + std::to_string(range.maximum);
}

} // namespace

GameSaveData::GameSaveData()
{
    Reset();
}

GameSaveData::~GameSaveData() = default;
GameSaveData::GameSaveData(GameSaveData&&) noexcept = default;
GameSaveData& GameSaveData::operator=(GameSaveData&&) noexcept = default;

int32_t GameSaveData::GetCell(int x, int y) const
{
    if (x < 0 || x >= kColumns || y < 0 || y >= kRows)
        return -1;
    return visitedCells[static_cast<size_t>(x * kRows + y)];
}

void GameSaveData::SetCell(int x, int y, int32_t value)
{
    if (x < 0 || x >= kColumns || y < 0 || y >= kRows)
        return;
    visitedCells[static_cast<size_t>(x * kRows + y)] = value;
}

VectorSerialize* GameSaveData::FindLevelRecord(const std::string& levelName) const
{
    for (size_t i = 0; i + 1 < levelRecords.size(); ++i) {
        const auto* name = dynamic_cast<const StrSerialize*>(levelRecords[i].get());
        if (name != nullptr && name->value == levelName)
            return dynamic_cast<VectorSerialize*>(levelRecords[i + 1].get());
    }
    return nullptr;
}

void GameSaveData::ListLevelRecords(VectorSerialize& list) const
{
    for (const auto& element : levelRecords)
        list.AppendBorrowed(*element);
}

VectorSerialize& GameSaveData::StartLevelRecord(const std::string& levelName)
{
    // The first record of the name keeps its place; its list starts afresh.
    for (size_t i = 0; i + 1 < levelRecords.size(); ++i) {
        const auto* name = dynamic_cast<const StrSerialize*>(levelRecords[i].get());
        if (name != nullptr && name->value == levelName) {
            auto fresh = std::make_unique<VectorSerialize>(true);
            VectorSerialize& list = *fresh;
            levelRecords[i + 1] = std::move(fresh);
            return list;
        }
    }
    levelRecords.push_back(std::make_unique<StrSerialize>(levelName));
    auto fresh = std::make_unique<VectorSerialize>(true);
    VectorSerialize& list = *fresh;
    levelRecords.push_back(std::move(fresh));
    return list;
}

void GameSaveData::AddSaveVar(const ScriptVar& variable)
{
    saveVars.push_back(std::make_unique<ScriptVar>(variable));
}

void GameSaveData::ClearSaveVars()
{
    saveVars.clear();
}

int GameSaveData::CompletionPercent(int32_t score, int32_t maxAdvanceScore)
{
    const double percent = static_cast<double>(score) / std::max(1, maxAdvanceScore) * 100.0;
    // Truncated toward zero; a score far beyond the maximum saturates.
    return static_cast<int>(std::clamp(percent, -2147483648.0, 2147483647.0));
}

std::string GameSaveData::FormatPlayTime(uint32_t milliseconds)
{
    const unsigned hours = milliseconds / 3600000u % 24u;
    const unsigned minutes = milliseconds / 60000u % 60u;
    const unsigned seconds = milliseconds / 1000u % 60u;
    char text[16];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u", hours, minutes, seconds);
    return text;
}

std::string GameSaveData::FormatPlayTime() const
{
    return FormatPlayTime(playTime);
}

bool GameSaveData::Write(std::ostream& os, const AchievementManager* achievements, size_t modifierCount) const
{
    os.imbue(std::locale::classic());
    WriteLine(os, kFormat);
    WriteLine(os, std::string("QHGAME"));
    WriteLine(os, score);
    WriteLine(os, playTime);
    for (int32_t cell : visitedCells)
        WriteLine(os, cell);
    WriteLine(os, mapName);
    WriteLine(os, static_cast<uint32_t>(teleports.size()));
    for (const TeleportInfo& teleport : teleports) {
        WriteLine(os, teleport.cell.x);
        WriteLine(os, teleport.cell.y);
        WriteLine(os, teleport.levelFile);
        WriteLine(os, teleport.name);
    }
    WriteLine(os, position.x);
    WriteLine(os, position.y);
    WriteLine(os, attackRank);
    // One flag per modifier the player has, at least; the count says how
    // many lines follow, so a reader never takes the next field for a flag.
    const size_t flagCount = std::max(modifierFlags.size(), modifierCount);
    WriteLine(os, static_cast<uint32_t>(flagCount));
    for (size_t i = 0; i < flagCount; ++i)
        WriteLine(os, IsModifierEnabled(i) ? 1 : 0);
    WriteLine(os, currentArmor);
    WriteLine(os, static_cast<uint32_t>(levelRecords.size()));
    for (const auto& element : levelRecords)
        element->Serialize(os);
    WriteLine(os, static_cast<uint32_t>(saveVars.size()));
    for (const auto& variable : saveVars)
        variable->Serialize(os);
    WriteLine(os, crossbowAmmo);
    WriteLine(os, crossbowCapacity);
    WriteLine(os, maxLife);
    WriteLine(os, minimapInHud);
    WriteLine(os, powerSlots);
    WriteLine(os, powerPerSlot);
    WriteLine(os, playerFlag1);
    WriteLine(os, playerFlag2);
    WriteLine(os, direction);
    WriteLine(os, playerCounter);
    WriteLine(os, iceArmorLevel);
    WriteLine(os, fireArmorLevel);
    WriteLine(os, hasFireflies);
    WriteLine(os, storyHint.first);
    WriteLine(os, storyHint.second);
    if (achievements != nullptr)
        achievements->Serialize(os);
    else
        WriteLine(os, 0u);
    return static_cast<bool>(os);
}

bool GameSaveData::WriteFile(const std::string& path, const AchievementManager* achievements,
    size_t modifierCount, std::string* reason) const
{
    // A value the reader would refuse is never written: the slot would be
    // lost. The old save stays instead.
    if (!(std::fabs(position.x) <= kMaxCoordinate && std::fabs(position.y) <= kMaxCoordinate)) {
        if (reason != nullptr)
            *reason = "the player's position is not a coordinate within +-" + std::to_string(kMaxCoordinate);
        return false;
    }
    // Nor a value the reader would refuse as beyond play (a rank set from
    // the console).
    const std::pair<int32_t, const Range&> ranged[]
        = {{attackRank, kAttackRank}, {currentArmor, kWornArmor}, {crossbowAmmo, kBoltsLeft},
            {crossbowCapacity, kBoltCapacity}, {maxLife, kMaxLife}, {powerSlots, kPowerSlots},
            {powerPerSlot, kRechargePeriod}, {direction, kFacing}, {playerCounter, kCrossbowRank},
            {iceArmorLevel, kArmorLevel}, {fireArmorLevel, kArmorLevel}, {hasFireflies, kFirefliesFlag}};
    for (const auto& [value, range] : ranged) {
        if (value < range.minimum || value > range.maximum) {
            if (reason != nullptr)
                *reason = OutsideRange(value, range);
            return false;
        }
    }
    std::ostringstream text;
    if (!Write(text, achievements, modifierCount)) {
        if (reason != nullptr)
            *reason = "the record could not be written";
        return false;
    }
    // Nor anything else it would refuse: the text is read back first. The
    // text is no file yet, so the refusal names no line of one.
    std::istringstream check(text.str());
    ReaderContext context(check, path, true);
    GameSaveData readBack;
    if (!readBack.Read(check, nullptr)) {
        if (reason != nullptr) {
            const std::string& error = context.GetError();
            const size_t expected = error.find("expected ");
            *reason = "the record holds what a save cannot: "
                + (expected == std::string::npos ? std::string("a value its reader refuses")
                                                 : error.substr(expected));
        }
        return false;
    }
    return platform::ReplaceFileAtomically(path, text.str(), reason);
}

bool GameSaveData::Read(std::istream& is, std::vector<std::pair<std::string, int32_t>>* achievementEntries)
{
    int32_t format = 0;
    if (!ReadHead(is, format) || !ReadTeleports(is) || !ReadPlayer(is) || !ReadLevelRecords(is))
        return false;
    if (format == 0)
        return ReadEnd(is);
    if (!ReadSaveVars(is) || !ReadFieldsOfFormat(is, format))
        return false;
    if (format < 12)
        return ReadEnd(is);

    std::vector<std::pair<std::string, int32_t>> entries;
    if (!AchievementManager::ReadEntries(is, entries) || !ReadEnd(is))
        return false;
    if (achievementEntries != nullptr)
        *achievementEntries = std::move(entries);
    return true;
}

// A save ends with its last group: a line of text left over means a line was
// added somewhere, and everything after it was read one line out of step.
// What editors and file systems leave after the last group is no data:
// blank lines, blanks, NUL padding, a DOS end-of-file mark (Ctrl-Z).
bool GameSaveData::ReadEnd(std::istream& is)
{
    // Taken byte by byte: a run of padding may be longer than a line may be.
    static constexpr std::string_view kNoData {" \t\r\f\v\0\x1a", 7};
    std::string line;
    for (;;) {
        int next = is.peek();
        while (
            next != std::char_traits<char>::eof() && kNoData.find(static_cast<char>(next)) != kNoData.npos) {
            is.get();
            next = is.peek();
        }
        if (next == std::char_traits<char>::eof())
            return !is.bad() || ReadError(is, "the end of the file", kFoundReadError);
        if (!ReadStringLine(is, line))
            return false;
        if (!line.empty())
            return ReadError(is, "the end of the file", QuoteFound(line));
    }
}

bool GameSaveData::ReadHead(std::istream& is, int32_t& format)
{
    // An editor may have put a UTF-8 byte-order mark before the format.
    SkipByteOrderMark(is);
    if (!ReadIntLine(is, format))
        return false;
    if (format < 0 || format > kFormat)
        return ReadError(is, "a save format from 0 to 12", std::to_string(format));
    formatVersion = format;
    std::string word;
    if (!ReadTextLine(is, word)) // any word: it is not compared
        return false;
    if (format >= 11 && !(ReadIntLine(is, score) && ReadULongLine(is, playTime)))
        return false;
    for (int32_t& cell : visitedCells) {
        if (!ReadIntLine(is, cell))
            return false;
    }
    return ReadTextLine(is, mapName);
}

// Every entry of a counted list begins with a read that fails at the end of
// the file, so a count larger than the file ends there.
bool GameSaveData::ReadTeleports(std::istream& is)
{
    uint32_t teleportCount = 0;
    if (!ReadULongLine(is, teleportCount))
        return false;
    teleports.clear();
    for (uint32_t i = 0; i < teleportCount; ++i) {
        // A coordinate that does not parse keeps 0 and the file goes on.
        TeleportInfo teleport;
        ReaderContext* context = ReaderContext::Of(is);
        const bool hadError = context != nullptr && context->HasError();
        const bool xRead = ReadIntLine(is, teleport.cell.x);
        const bool yRead = ReadIntLine(is, teleport.cell.y);
        if ((!xRead || !yRead) && context != nullptr && !hadError)
            context->ClearError();
        if (!ReadTextLine(is, teleport.levelFile) || !ReadTextLine(is, teleport.name))
            return false;
        teleports.push_back(std::move(teleport));
    }
    return true;
}

bool GameSaveData::ReadPlayer(std::istream& is)
{
    float x = 0.0f;
    float y = 0.0f;
    if (!ReadCoordinateLine(is, x) || !ReadCoordinateLine(is, y))
        return false;
    position = Point<float>(x, y);
    if (!ReadIntLineWithin(is, attackRank, kAttackRank))
        return false;

    uint32_t flagCount = 0;
    if (!ReadCountLine(is, flagCount, PlayerProgress::kModifierCount))
        return false;
    modifierFlags.clear();
    for (uint32_t i = 0; i < flagCount; ++i) {
        bool flag = false;
        if (!ReadBoolLine(is, flag))
            return false;
        modifierFlags.push_back(flag);
    }
    return ReadIntLineWithin(is, currentArmor, kWornArmor);
}

bool GameSaveData::ReadLevelRecords(std::istream& is)
{
    uint32_t elementCount = 0;
    if (!ReadCountLine(is, elementCount))
        return false;
    if (elementCount % 2 != 0)
        return ReadError(is, "an even count (a name and a list per level)", std::to_string(elementCount));
    levelRecords.clear();
    for (uint32_t read = 0; read < elementCount; read += 2) {
        auto name = std::make_unique<StrSerialize>("");
        if (!name->UnSerialize(is))
            return false;
        // A flag line alone damaged leaves the list's end sure: its count
        // and every element it counts then read whole, and are kept (the
        // game writes every list as its own), the flag line named. Anywhere
        // else the list's end is not known (a count, a tag or a value that
        // does not read may as well be a line lost or added), and the file
        // is refused rather than read on out of step.
        bool owns = true;
        const LenientRead lenient(is);
        const bool flagRead = ReadBoolLine(is, owns);
        auto list = std::make_unique<VectorSerialize>(owns);
        if (!list->UnSerializeElements(is))
            return false;
        if (!flagRead)
            lenient.Skipped(
                "the flag line of the saved states of level \"" + name->value + "\" (the states are kept)");
        levelRecords.push_back(std::move(name));
        levelRecords.push_back(std::move(list));
    }
    return true;
}

bool GameSaveData::ReadSaveVars(std::istream& is)
{
    uint32_t variableCount = 0;
    if (!ReadULongLine(is, variableCount))
        return false;
    saveVars.clear();
    for (uint32_t i = 0; i < variableCount; ++i) {
        // The class line is compared: a count one too high would else take
        // the three fields after the variables for one, and read on.
        std::string name;
        std::string value;
        if (!ReadExpectedLine(is, ScriptVar("").GetVersionedClassName()) || !ReadTextLine(is, name)
            || !ReadTextLine(is, value))
            return false;
        auto variable = std::make_unique<ScriptVar>(std::move(name));
        variable->SetValue(std::move(value));
        saveVars.push_back(std::move(variable));
    }
    return true;
}

bool GameSaveData::ReadFieldsOfFormat(std::istream& is, int32_t format)
{
    struct Field {
        int32_t first;
        int32_t last;
        bool (*read)(std::istream&, GameSaveData&);
    };
    // The fields after the save variables in file order, each with the
    // formats that carry it.
    static const Field kFields[] = {
        {2, kFormat,
            [](std::istream& in, GameSaveData& d) {
                return ReadIntLineWithin(in, d.crossbowAmmo, kBoltsLeft)
                    && ReadIntLineWithin(in, d.crossbowCapacity, kBoltCapacity)
                    && ReadIntLineWithin(in, d.maxLife, kMaxLife) && ReadBoolLine(in, d.minimapInHud)
                    && ReadIntLineWithin(in, d.powerSlots, kPowerSlots)
                    && ReadIntLineWithin(in, d.powerPerSlot, kRechargePeriod);
            }},
        {3, kFormat,
            [](std::istream& in, GameSaveData& d) {
                return ReadBoolLine(in, d.playerFlag1) && ReadBoolLine(in, d.playerFlag2);
            }},
        {4, 10, [](std::istream& in, GameSaveData& d) { return ReadIntLine(in, d.score); }},
        {5, kFormat,
            [](std::istream& in, GameSaveData& d) { return ReadIntLineWithin(in, d.direction, kFacing); }},
        {6, kFormat,
            [](std::istream& in, GameSaveData& d) {
                return ReadIntLineWithin(in, d.playerCounter, kCrossbowRank);
            }},
        {7, kFormat,
            [](std::istream& in, GameSaveData& d) {
                return ReadIntLineWithin(in, d.iceArmorLevel, kArmorLevel)
                    && ReadIntLineWithin(in, d.fireArmorLevel, kArmorLevel);
            }},
        {8, kFormat,
            [](std::istream& in, GameSaveData& d) {
                return ReadIntLineWithin(in, d.hasFireflies, kFirefliesFlag);
            }},
        {9, 10, [](std::istream& in, GameSaveData& d) { return ReadULongLine(in, d.playTime); }},
        {10, kFormat,
            [](std::istream& in, GameSaveData& d) {
                return ReadIntLine(in, d.storyHint.first) && ReadIntLine(in, d.storyHint.second);
            }},
    };
    for (const Field& field : kFields) {
        if (format >= field.first && format <= field.last && !field.read(is, *this))
            return false;
    }
    return true;
}

bool GameSaveData::ReadFile(const std::string& path,
    std::vector<std::pair<std::string, int32_t>>* achievementEntries, std::string* error, bool report)
{
    std::ifstream file = platform::OpenRegularFile(path);
    if (!file.is_open()) {
        if (error != nullptr)
            *error = path + ": cannot be opened";
        return false;
    }
    // A read that reports nothing (a check of the slot) says nothing of
    // what it skips either: the load says it.
    ReaderContext context(file, path, !report);
    GameSaveData loaded;
    std::vector<std::pair<std::string, int32_t>> entries;
    if (!loaded.Read(file, &entries)) {
        if (report)
            context.Report();
        if (error != nullptr)
            *error = context.HasError() ? context.GetError() : context.Where() + "expected a complete save";
        return false;
    }
    *this = std::move(loaded);
    if (achievementEntries != nullptr)
        *achievementEntries = std::move(entries);
    return true;
}
