#pragma once

#include "engine/serial/Point.h"

#include <cstdint>
#include <string>

// One death of the player as the death history records it.
struct PlayerDeathRecord {
    uint32_t playTime = 0;
    std::string attackerName; // empty: no attacker
    int32_t maxLife = 0;
    int32_t attackRank = 0;
    std::string levelName;
    Point<float> position;
    Point<int> minimapCell;
};

// The record's text: "log_v0", then tab-separated play time, attacker (or
// "Unnamed"), maximum life, attack rank, level name and "Point(x;y)", a line
// end, a tab and the minimap cell "Point(x;y)", a line end, and an empty
// line. Line ends are CR LF.
std::string FormatDeathRecord(const PlayerDeathRecord& record);
// The file of a death: folder + "Save_" + slot + "_LogPlayer_" + time
// stamp + ".log".
std::string DeathLogFileName(const std::string& folder, int slot, const std::string& timeStamp);
// Appends the record to the file of this second in userPath + "DiesHistory/"
// (created when missing). A file that cannot be opened is skipped.
bool AppendDeathRecord(const std::string& userPath, int slot, const PlayerDeathRecord& record);
