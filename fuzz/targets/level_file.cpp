#include "engine/serial/ReaderContext.h"
#include "fuzz/FuzzTarget.h"
#include "fuzz/FuzzWorld.h"
#include "scene/Level.h"

#include <cstdlib>
#include <sstream>

// A ".lvl" file read against the fuzz world's library. A level that loads is
// written, and what was written must load again and write the same text.
QUENHOLT_FUZZ_TARGET(level_file, fuzz::Reports::FileName)
{
    fuzz::GetFuzzWorld();
    std::istringstream is(input.Text());
    ReaderContext context(is, input.name);
    Level level;
    level.SetSourceName(input.name);
    if (!level.UnSerialize(is)) {
        context.Report();
        return false;
    }
    std::ostringstream first;
    level.Serialize(first);
    std::istringstream again(first.str());
    Level second;
    second.SetSourceName(input.name);
    std::ostringstream written;
    if (!second.UnSerialize(again) || (second.Serialize(written), written.str() != first.str()))
        std::abort();
    return true;
}
