#pragma once

#include <string>
#include <vector>

// The console command "addparticlesysteminnpc" (help "Link a PS to a
// Character"): words event, character class, particle system (the class may
// come first, before the event). Links the game
// library's system to the class for the event. Fewer than three words or no
// game does nothing; an event the table does not hold is ignored; a class
// the character factory does not make or a system the game library does not
// hold is reported on the debug output and skipped. True when a link was
// made.
bool AddParticleSystemInNpc(const std::vector<std::string>& words);
