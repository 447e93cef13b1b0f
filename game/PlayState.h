#pragma once

#include <optional>
#include <string>
#include <string_view>

// What play is doing, as far as a run of the game seen from outside cares:
// the game says it on the debug output when it changes ("Play state:
// running"), and the CPU benchmark checks it before and after it samples,
// so that a case measures the state its name says.
enum class PlayState { NoLevel, MenuOpen, Paused, Dialogue, Running };

// "no level", "menu open", "paused", "dialogue", "running".
std::string_view PlayStateName(PlayState state);
// The debug line the game writes when the state changes.
std::string PlayStateLine(PlayState state);
// The state the last such line of a log names; none when no line does.
std::optional<PlayState> LastPlayState(std::string_view log);
