#include "game/Game.h"

#include "engine/platform/DebugOutput.h"

#include <limits>

// The game's side of the score and of the Steam statistics.

void Game::IncrementGameScore(GameSaveData& data)
{
    if (data.GetScore() < std::numeric_limits<int32_t>::max())
        data.SetScore(data.GetScore() + 1);
    // Placeholder until levels run background events: the text "Game Score
    // Incremented" is shown for 40 frames by a BGEvent_ShowText named
    // "IncremenGameScore" added to the current level. Without a level the
    // score still counts.
}

void Game::OnUserStatsReceived(int result)
{
    if (result == 1) {
        platform::DebugOutput("OnUserStatsReceived\n");
        statsReceived = true;
    } else {
        platform::DebugOutput("Failed\n");
        statsReceived = false;
    }
}
