#include "fuzz/FuzzTarget.h"
#include "fuzz/FuzzWorld.h"

#include <sstream>

QUENHOLT_FUZZ_TARGET(animated_sprite_record, fuzz::Reports::Nothing)
{
    fuzz::GetFuzzWorld();
    AnimatedSprite sprite("Before");
    std::istringstream is(input.Text());
    const bool read = sprite.UnSerialize(is);
    std::ostringstream os;
    sprite.Serialize(os);
    return read;
}
