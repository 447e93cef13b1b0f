#pragma once

#include <cstdint>
#include <string>
#include <vector>

class BackgroundEvent;
class CharacterObject;
class Level;
class Script;

// What the script commands share: the argument tokens, the level they act
// on and the queueing of their events.
namespace ScriptCommandSupport {

using Tokens = std::vector<std::string>;

// The game's current level, or null.
Level* CurrentLevel();
// The level of the script's trigger (its owner instance), or null: the
// commands that act on the trigger require one.
Level* TriggerLevel(const Script& script);
// Whether the character is still one of the game's (the player or a live
// character): events that keep a character check before they touch it.
bool IsLiveCharacter(const CharacterObject* character);
// Hands a new event to the current level (which owns it from then on) and,
// when tracked, lets the script wait for it. Without a level the event is
// destroyed and null returned.
BackgroundEvent* QueueEvent(Script& script, BackgroundEvent* event, bool tracked);
// A number argument, read whole as every number from text is
// (ParseNumberToken, and ParseIntToken for integer text only). The command's
// gate has already refused a number argument that is malformed or outside
// the range of its field; a token the gate does not check (an optional one
// read only in some modes) reads as 0 when it is not such a number.
double Real(const std::string& token);
int32_t Integer(const std::string& token);
// "1" and other true-flags: whether the flag differs from "0".
inline bool FlagNotZero(const std::string& flag)
{
    return flag != "0";
}

} // namespace ScriptCommandSupport
