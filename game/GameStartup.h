#pragma once

#include <string>
#include <vector>

// The teleport hubs' level files, in the teleport menu's order (filled once
// at start-up).
extern std::vector<std::string> TeleportLevelFiles;
// The nine hubs of the world, as the start-up fills that list.
std::vector<std::string> WorldTeleportLevelFiles();

// The program: start-up, the main loop until the window closes, shut-down.
// `tokens` are the command-line arguments. Returns the exit code: 0 after a
// normal shut-down, 1 when the window or the GL device cannot be made.
int RunGame(const std::vector<std::string>& tokens);
