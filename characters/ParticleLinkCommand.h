#pragma once

#include <string>
#include <vector>

// The console command "addparticlesysteminnpc" (help "Link a PS to a
// Character"): words event, character class, particle system (the class may
// come first, before the event). Links the game
// library's system to the class for the event. Fewer than three words or no
// game does nothing; an event the table does not hold, a class the character
// factory does not make or a system the game library does not hold is said on
// the debug output and skipped. True only when a link was made.
bool AddParticleSystemInNpc(const std::vector<std::string>& words);
