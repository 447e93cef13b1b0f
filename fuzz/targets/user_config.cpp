#include "engine/config/GameConfig.h"
#include "fuzz/FuzzRecord.h"

#include <sstream>

QUENHOLT_FUZZ_TARGET(user_config, fuzz::Reports::FileName)
{
    GameConfig config;
    const bool read = fuzz::ReadRecordText(input, [&](std::istream& is) { return config.Read(is); });
    std::ostringstream os;
    config.Write(os); // whatever was read can be written back
    return read;
}
