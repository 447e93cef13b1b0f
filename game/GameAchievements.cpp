#include "game/Game.h"

#include "engine/platform/DebugOutput.h"
#include "scene/Level.h"
#include "script/BGEvent_ShowText.h"

#include <limits>

// The game's side of the score and of the Steam statistics.

void Game::IncrementGameScore(GameSaveData& data)
{
    if (data.GetScore() < std::numeric_limits<int32_t>::max())
        data.SetScore(data.GetScore() + 1);
    // The text shows for 40 frames on the current level; without a level
    // the score still counts.
    if (currentLevel != nullptr) {
        auto* text = new BGEvent_ShowText("IncremenGameScore", "Game Score Incremented");
        currentLevel->AddBackgroundEvent(text);
        text->StartFor(40);
    }
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
