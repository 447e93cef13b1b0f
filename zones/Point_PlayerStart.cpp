#include "zones/Point_PlayerStart.h"

#include "engine/serial/LineReaders.h"

Point_PlayerStart::Instance::Instance()
{
    RegisterMember(&unused);
    RegisterMember(&startName);
}

void Point_PlayerStart::Instance::WriteMember(std::ostream& os, size_t index)
{
    if (index == 2)
        WriteLine(os, kTagName);
    PointInstance::WriteMember(os, index);
}

bool Point_PlayerStart::Instance::ReadMember(std::istream& is, size_t index)
{
    // A record without the name's tag keeps the name "".
    if (index == 2 && !ReadUpdateTag(is, kTagName))
        return true;
    return PointInstance::ReadMember(is, index);
}
