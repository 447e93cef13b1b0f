#pragma once

#include "tools/run/RunPilot.h"

#include "characters/CharacterObject.h"

#include <functional>
#include <string>
#include <vector>

// Moves and looks the legs of the run share: finding a character, whether
// the player stands or flies, striking what stands in front, fighting a foe
// until a condition holds, a double jump onto a ledge. The moves play by keys
// only; they read the game to choose the keys.
namespace RunMoves {

// The character of that name in the current level, as that class (null:
// none, or another class).
CharacterObject* NamedCharacter(RunPilot& pilot, const std::string& name);
template <class T> T* Named(RunPilot& pilot, const std::string& name)
{
    return dynamic_cast<T*>(NamedCharacter(pilot, name));
}

// The first live character of that class (and that name, when given).
CharacterObject* FindLiveCharacter(
    RunPilot& pilot, const std::function<bool(CharacterObject*)>& isOfClass, const std::string& name);
template <class T> T* FindLive(RunPilot& pilot, const std::string& name = "")
{
    return dynamic_cast<T*>(FindLiveCharacter(
        pilot, [](CharacterObject* c) { return dynamic_cast<T*>(c) != nullptr; }, name));
}

// Whether the player stands on something: idle, walking or crouching.
bool Standing(RunPilot& pilot);
// Whether the player is in a jump or a fall.
bool InAir(RunPilot& pilot);

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

} // namespace RunMoves
