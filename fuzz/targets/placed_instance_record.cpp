#include "fuzz/FuzzRecord.h"
#include "fuzz/FuzzWorld.h"
#include "scene/SpacialInstance.h"

#include <sstream>

namespace {

template <class Placed> bool ReadPlaced(const fuzz::Input& input)
{
    Placed placed;
    placed.SetLevel(&fuzz::GetFuzzWorld().level);
    const bool read = fuzz::ReadRecordText(input, [&](std::istream& is) { return placed.UnSerialize(is); });
    std::ostringstream os;
    placed.Serialize(os);
    return read;
}

} // namespace

// The same bytes as each kind of placed instance a level holds.
QUENHOLT_FUZZ_TARGET(placed_instance_record, fuzz::Reports::FileName)
{
    const bool object = ReadPlaced<SpacialInstance<GraphicalObject, float>>(input);
    const bool sprite = ReadPlaced<SpacialInstance<Sprite, int>>(input);
    const bool animation = ReadPlaced<AnimatedSpriteSpacialInstance<int>>(input);
    return object || sprite || animation;
}
