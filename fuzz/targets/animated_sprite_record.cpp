#include "fuzz/FuzzRecord.h"
#include "fuzz/FuzzWorld.h"

#include <sstream>

QUENHOLT_FUZZ_TARGET(animated_sprite_record, fuzz::Reports::FileName)
{
    fuzz::GetFuzzWorld();
    AnimatedSprite sprite("Before");
    const bool read = fuzz::ReadRecordText(input, [&](std::istream& is) { return sprite.UnSerialize(is); });
    std::ostringstream os;
    sprite.Serialize(os);
    return read;
}
