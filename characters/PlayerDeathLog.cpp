#include "characters/PlayerDeathLog.h"

#include "engine/serial/FileUtils.h"

#include <filesystem>
#include <fstream>
#include <locale>
#include <sstream>

std::string FormatDeathRecord(const PlayerDeathRecord& record)
{
    std::ostringstream os;
    os.imbue(std::locale::classic());
    os << "log_v0\t" << record.playTime << '\t'
       << (record.attackerName.empty() ? "Unnamed" : record.attackerName) << '\t' << record.maxLife << '\t'
       << record.attackRank << '\t' << record.levelName << "\tPoint(" << record.position.x << ';'
       << record.position.y << ")\r\n\tPoint(" << record.minimapCell.x << ';' << record.minimapCell.y
       << ")\r\n\r\n";
    return os.str();
}

std::string DeathLogFileName(const std::string& folder, int slot, const std::string& timeStamp)
{
    return folder + "Save_" + std::to_string(slot) + "_LogPlayer_" + timeStamp + ".log";
}

bool AppendDeathRecord(const std::string& userPath, int slot, const PlayerDeathRecord& record)
{
    // No user folder: nothing is written (the working folder holds data).
    if (userPath.empty())
        return false;
    const std::string folder = userPath + "DiesHistory/";
    if (!DirectoryExists(folder)) {
        std::error_code ignored;
        std::filesystem::create_directory(folder, ignored);
    }
    std::ofstream file(DeathLogFileName(folder, slot, MakeTimeStamp()), std::ios::binary | std::ios::app);
    if (!file)
        return false;
    file << FormatDeathRecord(record);
    return static_cast<bool>(file);
}
