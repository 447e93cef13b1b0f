#include "engine/config/GameConfig.h"
#include "fuzz/FuzzTarget.h"

#include <sstream>

QUENHOLT_FUZZ_TARGET(user_config, fuzz::Reports::Nothing)
{
    GameConfig config;
    std::istringstream is(input.Text());
    const bool read = config.Read(is);
    std::ostringstream os;
    config.Write(os); // whatever was read can be written back
    return read;
}
