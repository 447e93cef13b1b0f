#include "engine/sound/SoundEventsManager.h"
#include "fuzz/FuzzRecord.h"

#include <sstream>

QUENHOLT_FUZZ_TARGET(sound_events, fuzz::Reports::FileName)
{
    SoundEventsManager manager;
    const bool read = fuzz::ReadRecordText(input, [&](std::istream& is) { return manager.UnSerialize(is); });
    std::ostringstream os;
    manager.Serialize(os);
    return read;
}
