#pragma once

#include <string>

// Console commands that move the game between levels and end it.

// "changelevel FILE [START]": the change happens at the start of the next
// update, the player at the named start point (the default one when none).
bool CmdChangeLevel(std::string arguments);
// "exit": the window closes and the main loop shuts the game down.
bool CmdExit(std::string arguments);
// "setuserpath PATH": the folder of the user's files (saves, configuration,
// screenshots); empty keeps the default one.
bool CmdSetUserPath(std::string arguments);
// "setframedelay MS": the fixed step of the game update.
bool CmdSetFrameDelay(std::string arguments);
