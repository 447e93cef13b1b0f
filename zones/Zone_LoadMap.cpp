#include "zones/Zone_LoadMap.h"

#include "characters/Player.h"
#include "engine/serial/LineReaders.h"
#include "zones/ZoneRequests.h"

void Zone_LoadMap::Instance::WriteMember(std::ostream& os, size_t index)
{
    if (index == 4)
        WriteLine(os, kTagStartPoint);
    ZoneInstance::WriteMember(os, index);
}

bool Zone_LoadMap::Instance::ReadMember(std::istream& is, size_t index)
{
    // Older records end before the start point's tag: the start point is "".
    if (index == 4 && !ReadUpdateTag(is, kTagStartPoint))
        return true;
    return ZoneInstance::ReadMember(is, index);
}

bool Zone_LoadMap::UpdatePlayerContact(Placed* placed)
{
    auto* exit = placed != nullptr ? dynamic_cast<Instance*>(placed->GetPayload()) : nullptr;
    if (exit == nullptr || GetGamePlayer() == nullptr)
        return false;
    if (!PlayerTouchesZone(placed))
        exit->playerWasOutside = true;
    else if (exit->playerWasOutside)
        ZoneRequests::RequestLevelChange(exit->levelFile.value, exit->startPoint.value);
    return false;
}
