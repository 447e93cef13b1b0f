#pragma once

#include "tools/world/LevelDescription.h"

#include <string>

// While the game has no dialogue box to close them, a script that waits on a
// dialogue never goes on. The level tool can leave those lines out of a
// description (its start-up script and every trigger's script) so that no
// cut-scene hangs; the rest of each script stays as written.

// True for a script line that starts a dialogue and waits for its end
// ("waitEvent_StartDialogue_FromFile ..."); the command word in any case.
bool IsDialogueWait(const std::string& scriptLine);

// Removes those lines; returns how many went.
int LeaveOutDialogueWaits(LevelDescription& level);
