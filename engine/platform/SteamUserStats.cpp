#include "engine/platform/SteamUserStats.h"

#include <atomic>

namespace platform {

namespace {

std::atomic<ISteamUserStats*> installedBackEnd {nullptr};

} // namespace

ISteamUserStats* SteamUserStats()
{
    return installedBackEnd.load();
}

void SetSteamUserStats(ISteamUserStats* backEnd)
{
    installedBackEnd.store(backEnd);
}

} // namespace platform
