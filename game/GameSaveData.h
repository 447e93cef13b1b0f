#pragma once

#include "characters/PlayerProgress.h"
#include "engine/serial/ISerialization.h"
#include "engine/serial/Point.h"
#include "game/TeleportInfo.h"

#include <array>
#include <cstdint>
#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

class AchievementManager;
class Level;
class ScriptVar;
class VectorSerialize;

// The progress of one save slot: where the player stands and what it has,
// the minimap cells seen, the teleporters found, the pickups of every visited
// level, the script variables of scope "save", the score, the play time and
// the achievement counters. The game holds one for its current slot.
//
// A slot file is text, one value per line. The writer always writes format
// 12; the reader reads every format from 0 to 12. Reading is all or nothing:
// the file is read into a record of its own, and only a file read whole
// replaces this record (and the game's achievement counters).
class GameSaveData {
public:
    static constexpr int kFormat = 12;
    static constexpr int kColumns = 51;
    static constexpr int kRows = 44;
    static constexpr int kCellCount = kColumns * kRows;
    using Cells = std::array<int32_t, kCellCount>;

    GameSaveData();
    virtual ~GameSaveData();
    GameSaveData(const GameSaveData&) = delete;
    GameSaveData& operator=(const GameSaveData&) = delete;
    GameSaveData(GameSaveData&&) noexcept;
    GameSaveData& operator=(GameSaveData&&) noexcept;

    // The defaults of a new game. The format number is left alone; the map
    // becomes the first map of a new game when a game object exists.
    void Reset();

    // Fills the record from the running game; nothing changes without a
    // game, a current level or a player. With gridOnly only the format and
    // the minimap cells are taken.
    void CaptureGameState(bool gridOnly);

    // Writes the record over the file of the game's current slot (through a
    // temporary file renamed over it). Nothing is written without a slot or
    // a minimap model. True when the slot file now holds the record.
    bool Save();
    // Loads slot `slot` (-1: the game's current slot). With intoGame the
    // file's achievement counters go to the game's achievements. False, and
    // nothing changed, when the slot is below 0, the file cannot be opened
    // or is not read whole; the error names the file and the line.
    bool Load(int slot, bool intoGame);
    // Reads only what the slot list shows: format, word, score and play time
    // (slot -1: the game's current slot). A file of a format that keeps score
    // and play time further down is read whole. False, and nothing changed,
    // for a slot below 0 or a file that is missing or does not read so far.
    bool ReadHeader(int slot);
    // The file of a slot: the user folder + "Save_" + slot + ".sav".
    static std::string GetSlotPath(int slot);

    // Writes the record in format 12, followed by the achievements when
    // given. `modifierCount`: how many modifier flags the player has; the
    // flags written are never fewer (missing ones are written as 0), and the
    // count line always equals the flags written.
    bool Write(std::ostream& os, const AchievementManager* achievements, size_t modifierCount = 0) const;
    // Writes the record to `path`, replacing the file whole or not at all;
    // on failure `reason`, when given, gets the system's reason.
    bool WriteFile(const std::string& path, const AchievementManager* achievements, size_t modifierCount = 0,
        std::string* reason = nullptr) const;
    // Reads a slot text into this record, which should be fresh. The
    // achievement entries (name, value) of a format-12 file go to
    // `achievementEntries` when given. Stops at the first line that does not
    // read, and at the end of the text, whatever a count said; a line after
    // the last group is refused too (padding and blanks are no line), a
    // byte-order mark before the first is taken. The values the player takes
    // must lie within what play reaches (PlayerProgress), and a list is never
    // read out of step: one whose flag line alone fails is kept whole.
    bool Read(std::istream& is, std::vector<std::pair<std::string, int32_t>>* achievementEntries);
    // Reads `path` into a fresh record and, when whole, replaces this one;
    // entries as for Read. An error is "file:line: ..."; with `report` it
    // also goes to the debug output and stderr (the slot menu's summaries,
    // asked for every frame, read quietly).
    bool ReadFile(const std::string& path, std::vector<std::pair<std::string, int32_t>>* achievementEntries,
        std::string* error = nullptr, bool report = true);

    // score / max(1, maxAdvanceScore) as a percent, truncated toward zero.
    int GetCompletionPercent() const;
    static int CompletionPercent(int32_t score, int32_t maxAdvanceScore);
    // The play time as "hh:mm:ss" (hours modulo 24).
    std::string FormatPlayTime() const;
    static std::string FormatPlayTime(uint32_t milliseconds);

    // ---- the level records: per visited level a StrSerialize with the level
    // name followed by a VectorSerialize with what its instances saved.
    const std::vector<std::unique_ptr<ISerialization>>& GetLevelRecords() const { return levelRecords; }
    // The level's record made afresh from its placed instances: each one
    // with a payload appends its state once (background, scene, then
    // foreground list, each layer's grid in order). The record's key is the
    // level's save key, or its name while it has none.
    void CaptureLevelState(Level& level);
    // The list of the level's record, created empty at the end when the
    // level has none; an existing one is emptied (replaced by a new list).
    VectorSerialize& StartLevelRecord(const std::string& levelName);
    // The level records as one list of borrowed elements (name, states,
    // name, states, ...), as the level reads its own back; the list must
    // not outlive this record.
    void ListLevelRecords(VectorSerialize& list) const;
    // The list of the level's record, or null.
    VectorSerialize* FindLevelRecord(const std::string& levelName) const;

    const std::vector<std::unique_ptr<ScriptVar>>& GetSaveVars() const { return saveVars; }
    // Appends a copy of a variable.
    void AddSaveVar(const ScriptVar& variable);
    void ClearSaveVars();

    // ---- plain values
    int GetFormatVersion() const { return formatVersion; }
    void SetFormatVersion(int format) { formatVersion = format; }
    std::string GetMapName() const { return mapName; }
    void SetMapName(std::string name) { mapName = std::move(name); }
    // Cell (x, y) of the 51 x 44 grid, entry x * 44 + y; -1 outside.
    int32_t GetCell(int x, int y) const;
    void SetCell(int x, int y, int32_t value);
    const Cells& GetCells() const { return visitedCells; }
    void SetCells(const Cells& cells) { visitedCells = cells; }
    const std::vector<TeleportInfo>& GetTeleports() const { return teleports; }
    void SetTeleports(std::vector<TeleportInfo> list) { teleports = std::move(list); }
    Point<float> GetPosition() const { return position; }
    void SetPosition(float x, float y) { position = Point<float>(x, y); }
    int GetDirection() const { return direction; }
    void SetDirection(int value) { direction = value; }
    int GetAttackRank() const { return attackRank; }
    // The player's part of the record, as the player takes it back.
    PlayerProgress GetPlayerProgress() const
    {
        return PlayerProgress {modifierFlags, currentArmor, crossbowAmmo, crossbowCapacity, maxLife,
            minimapInHud, powerSlots, powerPerSlot, playerFlag1, playerFlag2, playerCounter, fireArmorLevel,
            iceArmorLevel, attackRank, hasFireflies};
    }
    void SetAttackRank(int value) { attackRank = value; }
    const std::vector<bool>& GetModifierFlags() const { return modifierFlags; }
    void SetModifierFlags(std::vector<bool> flags) { modifierFlags = std::move(flags); }
    // The enabled flag of modifier i; false past the saved flags.
    bool IsModifierEnabled(size_t i) const { return i < modifierFlags.size() && modifierFlags[i]; }
    int GetCurrentArmor() const { return currentArmor; }
    void SetCurrentArmor(int value) { currentArmor = value; }
    int GetCrossbowAmmo() const { return crossbowAmmo; }
    void SetCrossbowAmmo(int value) { crossbowAmmo = value; }
    int GetCrossbowCapacity() const { return crossbowCapacity; }
    void SetCrossbowCapacity(int value) { crossbowCapacity = value; }
    int GetMaxLife() const { return maxLife; }
    void SetMaxLife(int value) { maxLife = value; }
    bool GetMinimapInHud() const { return minimapInHud; }
    void SetMinimapInHud(bool value) { minimapInHud = value; }
    int GetPowerSlots() const { return powerSlots; }
    void SetPowerSlots(int value) { powerSlots = value; }
    int GetPowerPerSlot() const { return powerPerSlot; }
    void SetPowerPerSlot(int value) { powerPerSlot = value; }
    // The player's two flags: 1 the spider's double jump, 2 the attraction
    // of items.
    bool GetPlayerFlag1() const { return playerFlag1; }
    void SetPlayerFlag1(bool value) { playerFlag1 = value; }
    bool GetPlayerFlag2() const { return playerFlag2; }
    void SetPlayerFlag2(bool value) { playerFlag2 = value; }
    int GetPlayerCounter() const { return playerCounter; }
    void SetPlayerCounter(int value) { playerCounter = value; }
    int GetFireArmorLevel() const { return fireArmorLevel; }
    void SetFireArmorLevel(int value) { fireArmorLevel = value; }
    int GetIceArmorLevel() const { return iceArmorLevel; }
    void SetIceArmorLevel(int value) { iceArmorLevel = value; }
    int GetHasFireflies() const { return hasFireflies; }
    void SetHasFireflies(int value) { hasFireflies = value; }
    std::pair<int, int> GetStoryHint() const { return storyHint; }
    void SetStoryHint(std::pair<int, int> hint) { storyHint = hint; }
    int32_t GetScore() const { return score; }
    void SetScore(int32_t value) { score = value; }
    uint32_t GetPlayTime() const { return playTime; }
    void SetPlayTime(uint32_t value) { playTime = value; }

private:
    // The steps of Read in the order of the file; each is false when the
    // file ends or a line does not read.
    bool ReadHead(std::istream& is, int32_t& format);
    bool ReadTeleports(std::istream& is);
    bool ReadPlayer(std::istream& is);
    bool ReadLevelRecords(std::istream& is);
    bool ReadSaveVars(std::istream& is);
    // True at the end of the text; a line left over is an error.
    static bool ReadEnd(std::istream& is);
    // The fields after the save variables, as far as the format carries them.
    bool ReadFieldsOfFormat(std::istream& is, int32_t format);

    std::vector<std::unique_ptr<ISerialization>> levelRecords;
    std::vector<std::unique_ptr<ScriptVar>> saveVars;
    int formatVersion = -1;
    std::string mapName;
    Cells visitedCells {};
    std::vector<TeleportInfo> teleports;
    Point<float> position;
    int direction = 1;
    int attackRank = 1;
    std::vector<bool> modifierFlags;
    int currentArmor = -1;
    int crossbowAmmo = 0;
    int crossbowCapacity = 0;
    int maxLife = 4;
    bool minimapInHud = false;
    int powerSlots = 0;
    int powerPerSlot = 150;
    bool playerFlag1 = false;
    bool playerFlag2 = false;
    int playerCounter = 1;
    int fireArmorLevel = 1;
    int iceArmorLevel = 1;
    int hasFireflies = 0;
    std::pair<int, int> storyHint {-1, -1};
    int32_t score = 0;
    uint32_t playTime = 0;
};
