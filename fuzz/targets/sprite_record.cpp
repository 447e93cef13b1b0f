#include "fuzz/FuzzTarget.h"
#include "fuzz/FuzzWorld.h"

#include <sstream>

QUENHOLT_FUZZ_TARGET(sprite_record, fuzz::Reports::Nothing)
{
    fuzz::GetFuzzWorld();
    Sprite sprite("Before", "before.png", 0, 0, 7, 7);
    std::istringstream is(input.Text());
    const bool read = sprite.UnSerialize(is);
    std::ostringstream os;
    sprite.Serialize(os);
    return read;
}
