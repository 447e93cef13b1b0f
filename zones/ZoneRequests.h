#pragma once

#include <string>

// What zones ask of the game, the level and the player HUD, in one place:
// each forwards to the game's own operation and does nothing without a game.
namespace ZoneRequests {

// The game's level-change request: load `levelFile` and place the player at
// the start point named `startPoint`.
void RequestLevelChange(const std::string& levelFile, const std::string& startPoint);
// Queues a text event named `eventName` on the current level, shown for
// `ticks` logic ticks (-1: until finished).
void ShowText(const std::string& eventName, const std::string& text, int ticks);
// Counts one point of score into the game's save data.
void IncrementGameScore();
// Saves the game with the player at (x, y) facing `direction`; true when the
// save file was written.
bool SaveGameAt(float x, float y, int direction);
// Opens the overlay screen on the map, as a pickup does, while the sound
// events keep playing.
void OpenMap();

} // namespace ZoneRequests
