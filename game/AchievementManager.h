#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

// One achievement: its Steam identifier, whether it still waits to be
// reported, and its progress toward its target.
class Achievement {
public:
    Achievement(std::string achievementName, int targetValue)
        : name(std::move(achievementName))
        , target(targetValue)
    {
    }
    virtual ~Achievement() = default;

    std::string GetName() const { return name; }
    int GetCurrent() const { return current; }
    void SetCurrent(int value) { current = value; }
    int GetTarget() const { return target; }
    void SetTarget(int value) { target = value; }
    bool IsPending() const { return pending; }
    bool IsComplete() const { return current == target; }
    void Complete() { current = target; }

private:
    std::string name;
    bool pending = true;
    int current = 0;
    int target = 0;
};

// The game's 17 achievements, in their fixed order.
class AchievementManager {
public:
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

private:
    std::vector<std::unique_ptr<Achievement>> achievements;
};
