#include "game/AchievementManager.h"

#include "engine/platform/DebugOutput.h"
#include "engine/platform/SteamUserStats.h"
#include "engine/serial/LineReaders.h"
#include "game/Game.h"
#include "game/GameSaveData.h"

bool Achievement::Serialize(std::ostream& os)
{
    if (skipSerialize)
        return true;
    WriteLine(os, name);
    WriteLine(os, current);
    return static_cast<bool>(os);
}

bool Achievement::UnSerialize(std::istream& is)
{
    return ReadIntLine(is, current);
}

AchievementManager::AchievementManager()
{
    static const std::pair<const char*, int32_t> table[] = {
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

bool AchievementManager::Serialize(std::ostream& os) const
{
    uint32_t written = 0;
    for (const auto& achievement : achievements)
        written += achievement->IsSkipSerialize() ? 0 : 1;
    WriteLine(os, written);
    for (const auto& achievement : achievements)
        achievement->Serialize(os);
    return static_cast<bool>(os);
}

bool AchievementManager::ReadEntries(std::istream& is, Entries& entries)
{
    uint32_t count = 0;
    if (!ReadULongLine(is, count))
        return false;
    // Each entry begins with a read that fails at the end of the text, so a
    // count larger than the text ends there.
    Entries read;
    for (uint32_t i = 0; i < count; ++i) {
        std::pair<std::string, int32_t> entry;
        if (!ReadTextLine(is, entry.first) || !ReadIntLine(is, entry.second))
            return false;
        read.push_back(std::move(entry));
    }
    entries = std::move(read);
    return true;
}

void AchievementManager::ApplyEntries(AchievementManager& manager, const Entries& entries)
{
    for (const auto& [name, value] : entries) {
        if (Achievement* achievement = manager.FindByName(name))
            achievement->SetCurrent(value);
    }
}

bool AchievementManager::Load(std::istream& is)
{
    Entries entries;
    if (!ReadEntries(is, entries))
        return false;
    ApplyEntries(*this, entries);
    return true;
}

void AchievementManager::CheckEndOfGame(
    int32_t score, uint32_t playTime, int32_t maxAdvanceScore, bool statsReady)
{
    const int percent = GameSaveData::CompletionPercent(score, maxAdvanceScore);
    if (percent <= 50)
        if (Achievement* achievement = FindByName("TL;DR"))
            achievement->Complete();
    if (percent >= 100)
        if (Achievement* achievement = FindByName("NE;WM"))
            achievement->Complete();
    if (playTime <= 7200000u)
        if (Achievement* achievement = FindByName("SpeedRunner"))
            achievement->Complete();
    SyncWithSteam(statsReady, platform::SteamUserStats());
}

void AchievementManager::CheckEndOfGame()
{
    Game* game = Game::GetInstance();
    if (game == nullptr)
        return;
    CheckEndOfGame(
        game->saveData.GetScore(), game->saveData.GetPlayTime(), game->maxAdvanceScore, game->IsStatsReady());
}

void AchievementManager::SyncWithSteam(bool statsReady, ISteamUserStats* steam)
{
    if (!statsReady || steam == nullptr)
        return;
    if (!synced) {
        for (const auto& achievement : achievements) {
            bool achieved = false;
            if (steam->GetAchievement(achievement->GetName(), &achieved) && achieved)
                achievement->SetPending(false);
        }
        synced = true;
    }
    for (const auto& achievement : achievements) {
        if (!achievement->IsPending() || !achievement->IsComplete())
            continue;
        platform::DebugOutput("SetAchievement\n");
        steam->SetAchievement(achievement->GetName());
        steam->StoreStats();
        achievement->SetPending(false);
    }
}

void AchievementManager::SyncWithSteam()
{
    Game* game = Game::GetInstance();
    SyncWithSteam(game != nullptr && game->IsStatsReady(), platform::SteamUserStats());
}
