#include "fuzz/FuzzTarget.h"
#include "fuzz/FuzzWorld.h"

#include <sstream>

QUENHOLT_FUZZ_TARGET(graphical_object_record, fuzz::Reports::Nothing)
{
    fuzz::GetFuzzWorld();
    GraphicalObject object("Before");
    std::istringstream is(input.Text());
    const bool read = object.UnSerialize(is);
    std::ostringstream os;
    object.Serialize(os);
    return read;
}
