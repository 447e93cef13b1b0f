#include "fuzz/FuzzTarget.h"
#include "fuzz/FuzzWorld.h"
#include "scene/SpacialInstance.h"

#include <sstream>

namespace {

template <class Placed> bool ReadPlaced(const std::string& text)
{
    Placed placed;
    placed.SetLevel(&fuzz::GetFuzzWorld().level);
    std::istringstream is(text);
    const bool read = placed.UnSerialize(is);
    std::ostringstream os;
    placed.Serialize(os);
    return read;
}

} // namespace

// The same bytes as each kind of placed instance a level holds.
QUENHOLT_FUZZ_TARGET(placed_instance_record, fuzz::Reports::Nothing)
{
    const std::string text = input.Text();
    const bool object = ReadPlaced<SpacialInstance<GraphicalObject, float>>(text);
    const bool sprite = ReadPlaced<SpacialInstance<Sprite, int>>(text);
    const bool animation = ReadPlaced<AnimatedSpriteSpacialInstance<int>>(text);
    return object || sprite || animation;
}
