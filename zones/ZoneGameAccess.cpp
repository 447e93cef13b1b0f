#include "zones/ZoneGameAccess.h"

#include "engine/app/Installed.h"

ZoneGameAccess* GetZoneGameAccess()
{
    return Installed<ZoneGameAccess>::Get();
}

void SetZoneGameAccess(ZoneGameAccess* access)
{
    Installed<ZoneGameAccess>::Set(access);
}
