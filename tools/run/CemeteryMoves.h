#pragma once

#include "tools/run/RunPilot.h"

#include <functional>
#include <string>

class CharacterObject;

// Moves of the pilot that the cemetery's legs share: striking what stands in
// front, fighting a foe until a condition holds, a double jump onto a ledge.
// All of them play by keys only; they read the game to choose the keys.
namespace CemeteryMoves {

// Whether the pickup placed under that name in the current level is gone
// (taken); false when there is no such placement.
bool PickupTaken(RunPilot& pilot, const std::string& placement);

// Strikes with the scythe (a fresh press each time the last swing is over)
// facing `side` (1 right, -1 left) until `done` holds.
bool StrikeUntil(
    RunPilot& pilot, int side, const std::function<bool()>& done, int limit, const std::string& what);

// The character the fight aims at, looked up afresh each pass (null: none
// now).
using Foe = std::function<CharacterObject*()>;

// Fights until `done` holds: walks within reach of the foe, turns to it,
// strikes, and jumps to strike when it hovers above. Dialogues shown
// meanwhile are read on. Fails after `limit` passes.
bool FightUntil(
    RunPilot& pilot, const Foe& foe, const std::function<bool()>& done, int limit, const std::string& what);

// Passes without keys until the player stands on the ground, its swing over.
void Settle(RunPilot& pilot);

// Walks to x and stands there, on the ground (walking again when a jump
// carried it past).
bool StandAt(RunPilot& pilot, float x);

// From where it stands, a jump and a second jump in the air, moving toward
// `side` once the feet are higher than clearY, until the player lands.
void DoubleJump(RunPilot& pilot, int side, float clearY);

// The nearest live, enabled character whose name is one of `names`.
CharacterObject* Nearest(RunPilot& pilot, const std::vector<std::string>& names);

} // namespace CemeteryMoves
