#include "game/AchievementManager.h"

AchievementManager::AchievementManager()
{
    static const std::pair<const char*, int> table[] = {
        {"Invincible", 50},
        {"Scythe of Death", 10},
        {"Can't touch this", 50},
        {"Master of souls", 7},
        {"Overcome the Fear", 1},
        {"Found the Cure", 1},
        {"Portal", 1},
        {"TL;DR", 1},
        {"NE;WM", 1},
        {"Let it Go", 1},
        {"Who's on Fire ?", 1},
        {"No more secret", 100},
        {"All the levers", 100},
        {"SpeedRunner", 1},
        {"Keep Going", 6},
        {"Thanks Ombrix", 1},
        {"The Mask", 1},
    };
    for (const auto& [name, target] : table)
        achievements.push_back(std::make_unique<Achievement>(name, target));
}

Achievement* AchievementManager::FindByName(const std::string& name)
{
    for (const auto& achievement : achievements) {
        if (achievement->GetName() == name)
            return achievement.get();
    }
    return nullptr;
}
