#include "fuzz/FuzzRecord.h"
#include "fuzz/FuzzWorld.h"

#include <sstream>

QUENHOLT_FUZZ_TARGET(sprite_record, fuzz::Reports::FileName)
{
    fuzz::GetFuzzWorld();
    Sprite sprite("Before", "before.png", 0, 0, 7, 7);
    const bool read = fuzz::ReadRecordText(input, [&](std::istream& is) { return sprite.UnSerialize(is); });
    std::ostringstream os;
    sprite.Serialize(os);
    return read;
}
