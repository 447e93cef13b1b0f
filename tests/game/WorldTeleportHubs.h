#pragma once

#include "game/GameStartup.h"

#include <string>
#include <vector>

// The teleport menu's hubs as the program sets them at its start, for as
// long as this lives; the list it found is given back afterwards.
class WorldTeleportHubs {
public:
    WorldTeleportHubs()
        : saved(TeleportLevelFiles)
    {
        TeleportLevelFiles = WorldTeleportLevelFiles();
    }
    ~WorldTeleportHubs() { TeleportLevelFiles = saved; }
    WorldTeleportHubs(const WorldTeleportHubs&) = delete;
    WorldTeleportHubs& operator=(const WorldTeleportHubs&) = delete;

private:
    std::vector<std::string> saved;
};
