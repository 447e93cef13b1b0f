#include "game/AchievementManager.h"

#include "game/Game.h"
#include "game/GamePlayerWorld.h"
#include "tests/game/InMemorySteamUserStats.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

std::vector<std::string> Completed(AchievementManager& achievements)
{
    std::vector<std::string> names;
    for (size_t i = 0; i < achievements.GetCount(); ++i) {
        if (achievements.Get(i)->IsComplete())
            names.push_back(achievements.Get(i)->GetName());
    }
    return names;
}

TEST(AchievementEndOfGame, PercentAndPlayTimeThresholds)
{
    struct Case {
        int32_t score, maximum;
        uint32_t playTime;
        std::vector<std::string> completed;
    };
    const Case cases[] = {
        {50, 100, 7200000, {"TL;DR", "SpeedRunner"}},
        {51, 100, 7200001, {}},
        {100, 100, 9000000, {"NE;WM"}},
        {99, 100, 9000000, {}},
        {1, 0, 9000000, {"NE;WM"}}, // a maximum of 0 counts as 1
        {0, 0, 0, {"TL;DR", "SpeedRunner"}},
        {std::numeric_limits<int32_t>::max(), 1, 9000000, {"NE;WM"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.score) + " of " + std::to_string(c.maximum) + " in "
            + std::to_string(c.playTime) + " ms");
        AchievementManager achievements;
        achievements.CheckEndOfGame(c.score, c.playTime, c.maximum, false);
        EXPECT_EQ(Completed(achievements), c.completed);
    }
}

TEST(AchievementEndOfGame, CompleteWhenCurrentReachesOrPassesTheTarget)
{
    AchievementManager achievements;
    Achievement& invincible = *achievements.FindByName("Invincible");
    EXPECT_EQ(invincible.GetTarget(), 50);
    invincible.SetCurrent(49);
    EXPECT_FALSE(invincible.IsComplete());
    invincible.SetCurrent(50);
    EXPECT_TRUE(invincible.IsComplete());
    invincible.SetCurrent(73);
    EXPECT_TRUE(invincible.IsComplete());
    EXPECT_EQ(achievements.FindByName("invincible"), nullptr) << "names compare exactly";
}

TEST(AchievementSteamSync, NothingBeforeTheStatisticsArriveOrWithoutSteam)
{
    AchievementManager achievements;
    achievements.FindByName("Portal")->Complete();
    achievements.SyncWithSteam(true, nullptr); // the default: Steam unavailable
    InMemorySteamUserStats steam;
    achievements.SyncWithSteam(false, &steam);
    EXPECT_TRUE(steam.calls.empty());
    EXPECT_FALSE(achievements.IsSynced());
    EXPECT_TRUE(achievements.FindByName("Portal")->IsPending());
}

TEST(AchievementSteamSync, EachCompletedAchievementIsReportedOnce)
{
    InMemorySteamUserStats steam;
    steam.unlocked = {"Portal", "The Mask"};
    AchievementManager achievements;
    // Completed before the statistics arrived; one past its target; one
    // already unlocked on Steam.
    achievements.FindByName("Found the Cure")->Complete();
    achievements.FindByName("Invincible")->SetCurrent(60);
    achievements.FindByName("Portal")->Complete();

    achievements.SyncWithSteam(true, &steam);
    EXPECT_EQ(std::count_if(steam.calls.begin(), steam.calls.end(),
                  [](const std::string& call) { return call.rfind("Get ", 0) == 0; }),
        17);
    EXPECT_EQ(steam.Reported(), (std::vector<std::string> {"Invincible", "Found the Cure"}));
    EXPECT_EQ(steam.calls.back(), "Store");

    // Later syncs ask Steam nothing more and send only what completes since.
    steam.calls.clear();
    achievements.SyncWithSteam(true, &steam);
    EXPECT_TRUE(steam.calls.empty());
    achievements.FindByName("Keep Going")->SetCurrent(6);
    achievements.FindByName("The Mask")->Complete(); // unlocked on Steam: never re-sent
    achievements.SyncWithSteam(true, &steam);
    EXPECT_EQ(steam.calls, (std::vector<std::string> {"Set Keep Going", "Store"}));
}

TEST(AchievementSteamSync, CheckEndOfGameSyncsThroughTheGame)
{
    InMemorySteamUserStats steam;
    Game game;
    game.saveData.SetScore(30);
    game.saveData.SetPlayTime(8000000);
    game.GetAchievements().CheckEndOfGame();
    EXPECT_TRUE(steam.calls.empty()) << "no statistics yet";
    EXPECT_EQ(Completed(game.GetAchievements()), (std::vector<std::string> {"TL;DR"}));

    game.OnUserStatsReceived(1);
    game.GetAchievements().SyncWithSteam();
    EXPECT_EQ(steam.Reported(), (std::vector<std::string> {"TL;DR"}));
    game.OnUserStatsReceived(2);
    EXPECT_FALSE(game.IsStatsReady());
}

TEST(GameScore, CountsWithoutALevelAndSaturates)
{
    Game game;
    game.IncrementGameScore(game.saveData);
    game.IncrementGameScore(game.saveData);
    EXPECT_EQ(game.saveData.GetScore(), 2);
    game.saveData.SetScore(std::numeric_limits<int32_t>::max());
    game.IncrementGameScore(game.saveData);
    EXPECT_EQ(game.saveData.GetScore(), std::numeric_limits<int32_t>::max());
    // An achievement count loaded from a save at the largest value, counted
    // once more in play.
    AchievementManager::ApplyEntries(
        game.GetAchievements(), {{"Invincible", std::numeric_limits<int32_t>::max()}});
    GamePlayerWorld(game).CountAchievement("Invincible");
    EXPECT_EQ(
        game.GetAchievements().FindByName("Invincible")->GetCurrent(), std::numeric_limits<int32_t>::max());
}

} // namespace
