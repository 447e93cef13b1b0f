#pragma once

#include "engine/platform/SteamUserStats.h"

#include <set>
#include <string>
#include <vector>

// A Steam back-end in memory: the achievements the user holds, and every call
// the game made, in order ("Get <name>", "Set <name>", "Store", "Reset 1").
// Installed for its lifetime.
class InMemorySteamUserStats : public ISteamUserStats {
public:
    InMemorySteamUserStats() { platform::SetSteamUserStats(this); }
    ~InMemorySteamUserStats() override { platform::SetSteamUserStats(nullptr); }
    InMemorySteamUserStats(const InMemorySteamUserStats&) = delete;
    InMemorySteamUserStats& operator=(const InMemorySteamUserStats&) = delete;

    bool GetAchievement(const std::string& name, bool* achieved) override
    {
        calls.push_back("Get " + name);
        *achieved = unlocked.count(name) != 0;
        return true;
    }
    bool SetAchievement(const std::string& name) override
    {
        calls.push_back("Set " + name);
        unlocked.insert(name);
        return true;
    }
    bool StoreStats() override
    {
        calls.push_back("Store");
        return true;
    }
    bool ResetAllStats(bool achievementsToo) override
    {
        calls.push_back(std::string("Reset ") + (achievementsToo ? "1" : "0"));
        if (achievementsToo)
            unlocked.clear();
        return true;
    }

    // The calls that reported an achievement.
    std::vector<std::string> Reported() const
    {
        std::vector<std::string> reported;
        for (const std::string& call : calls) {
            if (call.rfind("Set ", 0) == 0)
                reported.push_back(call.substr(4));
        }
        return reported;
    }

    std::set<std::string> unlocked;
    std::vector<std::string> calls;
};
