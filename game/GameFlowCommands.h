#pragma once

#include <string>

// Console commands that move the game between levels and end it.

// "changelevel FILE [START]": the change happens at the start of the next
// update, the player at the named start point (the default one when none).
bool CmdChangeLevel(std::string arguments);
// "exit": the window closes and the main loop shuts the game down.
bool CmdExit(std::string arguments);
