#pragma once

#include <string>

// The Steam user statistics the game reads and writes: achievements and the
// storing of statistics. Steam is not available on this platform: by default
// no back-end is installed, SteamUserStats() answers null and the game skips
// every Steam call, as it does when the Steam client is missing. A back-end
// (the tests' in-memory one) may be installed to see what would be reported.
class ISteamUserStats {
public:
    virtual ~ISteamUserStats() = default;
    // Whether the user holds the achievement; false when Steam cannot tell.
    virtual bool GetAchievement(const std::string& name, bool* achieved) = 0;
    virtual bool SetAchievement(const std::string& name) = 0;
    virtual bool StoreStats() = 0;
    virtual bool ResetAllStats(bool achievementsToo) = 0;
};

namespace platform {

// The installed back-end, or null when Steam is not available.
ISteamUserStats* SteamUserStats();
// Installs a back-end (not owned); null removes it.
void SetSteamUserStats(ISteamUserStats* backEnd);

} // namespace platform
