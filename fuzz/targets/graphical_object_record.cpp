#include "fuzz/FuzzRecord.h"
#include "fuzz/FuzzWorld.h"

#include <sstream>

QUENHOLT_FUZZ_TARGET(graphical_object_record, fuzz::Reports::FileName)
{
    fuzz::GetFuzzWorld();
    GraphicalObject object("Before");
    const bool read = fuzz::ReadRecordText(input, [&](std::istream& is) { return object.UnSerialize(is); });
    std::ostringstream os;
    object.Serialize(os);
    return read;
}
