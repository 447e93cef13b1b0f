#include "zones/Zone_NPCSpawner_FloatingSkull.h"

#include "engine/serial/LineReaders.h"

void Zone_NPCSpawner_FloatingSkull::Instance::WriteMember(std::ostream& os, size_t index)
{
    if (index == 4)
        WriteLine(os, kTagSkullKind);
    ZoneInstance::WriteMember(os, index);
}

bool Zone_NPCSpawner_FloatingSkull::Instance::ReadMember(std::istream& is, size_t index)
{
    if (index == 4 && !ReadUpdateTag(is, kTagSkullKind))
        return true;
    return ZoneInstance::ReadMember(is, index);
}
