#include "fuzz/FuzzRecord.h"
#include "game/AchievementManager.h"
#include "game/GameSaveData.h"

#include <sstream>

QUENHOLT_FUZZ_TARGET(save_game, fuzz::Reports::FileName)
{
    GameSaveData record;
    AchievementManager::Entries entries;
    const bool read
        = fuzz::ReadRecordText(input, [&](std::istream& is) { return record.Read(is, &entries); });
    // Whatever was read is applied and written back.
    AchievementManager achievements;
    AchievementManager::ApplyEntries(achievements, entries);
    std::ostringstream os;
    record.Write(os, &achievements, 7);
    return read;
}
