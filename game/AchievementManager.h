#pragma once

#include "engine/serial/ISerialization.h"

#include <cstdint>
#include <istream>
#include <limits>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

class ISteamUserStats;

// One achievement: its Steam identifier, whether it still waits to be
// reported, and its progress toward its target. Written as two lines, the
// name and the current value (nothing when skipped); its reader takes the
// value line only.
class Achievement : public ISerialization {
public:
    Achievement(std::string achievementName, int32_t targetValue)
        : name(std::move(achievementName))
        , target(targetValue)
    {
    }

    bool Serialize(std::ostream& os) override;
    bool UnSerialize(std::istream& is) override;
    std::string GetVersionedClassName() override { return "AchievementV0"; }

    std::string GetName() const { return name; }
    int32_t GetCurrent() const { return current; }
    void SetCurrent(int32_t value) { current = value; }
    // One more, held at the largest value (a script or a save may set any).
    void Increment()
    {
        if (current < std::numeric_limits<int32_t>::max())
            ++current;
    }
    int32_t GetTarget() const { return target; }
    void SetTarget(int32_t value) { target = value; }
    bool IsPending() const { return pending; }
    void SetPending(bool value) { pending = value; }
    // Reached or passed: progress that overshoots its target (a counter
    // raised past it, a target lowered below it) still counts as done.
    bool IsComplete() const { return current >= target; }
    void Complete() { current = target; }

private:
    std::string name;
    bool pending = true;
    int32_t current = 0;
    int32_t target = 0;
};

// The game's 17 achievements, in their fixed order, with the end-of-game
// checks and the reporting of completed ones to Steam.
class AchievementManager {
public:
    using Entries = std::vector<std::pair<std::string, int32_t>>;

    AchievementManager();
    virtual ~AchievementManager() = default;
    AchievementManager(const AchievementManager&) = delete;
    AchievementManager& operator=(const AchievementManager&) = delete;

    // The achievement of exactly that name, or null.
    Achievement* FindByName(const std::string& name);
    size_t GetCount() const { return achievements.size(); }
    Achievement* Get(size_t index)
    {
        return index < achievements.size() ? achievements[index].get() : nullptr;
    }

    // The count of achievements not skipped, then each one's two lines.
    bool Serialize(std::ostream& os) const;
    // Reads the count and as many (name, value) entries; stops at the first
    // line that does not read (or at the end of the text) and then returns
    // false with `entries` unchanged.
    static bool ReadEntries(std::istream& is, Entries& entries);
    // Sets the current value of every named achievement; unknown names are
    // skipped.
    static void ApplyEntries(AchievementManager& manager, const Entries& entries);
    // ReadEntries then ApplyEntries: all or nothing.
    bool Load(std::istream& is);

    // At the end of the game: "TL;DR" when the completion percent is at most
    // 50, "NE;WM" when it is at least 100, "SpeedRunner" within two hours of
    // play; then the Steam synchronisation.
    void CheckEndOfGame();
    void CheckEndOfGame(int32_t score, uint32_t playTime, int32_t maxAdvanceScore, bool statsReady);
    // Once the user's statistics have arrived: once per run, clears the
    // pending flag of what Steam already holds; at every call, reports each
    // pending and complete achievement and clears its flag. Nothing without
    // Steam or before the statistics arrived.
    void SyncWithSteam();
    void SyncWithSteam(bool statsReady, ISteamUserStats* steam);

    bool IsSynced() const { return synced; }

private:
    std::vector<std::unique_ptr<Achievement>> achievements;
    bool synced = false;
};
