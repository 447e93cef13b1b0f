#include "engine/sound/SoundEventsManager.h"
#include "fuzz/FuzzTarget.h"

#include <sstream>

QUENHOLT_FUZZ_TARGET(sound_events, fuzz::Reports::Nothing)
{
    SoundEventsManager manager;
    std::istringstream is(input.Text());
    const bool read = manager.UnSerialize(is);
    std::ostringstream os;
    manager.Serialize(os);
    return read;
}
