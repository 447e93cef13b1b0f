#include "characters/PlayerWorld.h"

#include "engine/app/Installed.h"

PlayerWorld* GetPlayerWorld()
{
    return Installed<PlayerWorld>::Get();
}

void SetPlayerWorld(PlayerWorld* world)
{
    Installed<PlayerWorld>::Set(world);
}
