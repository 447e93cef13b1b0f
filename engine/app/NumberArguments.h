#pragma once

#include <string>
#include <vector>

// Numbers in the arguments of console commands, settings files and scripts.
// Their readers convert with atof and atoi and then to int: a value that is
// not finite or too large for that has no defined result, so it is refused
// before any handler sees it.

// The largest magnitude an argument number may have (frames, pixels, speeds
// and counts all stay far below it).
inline constexpr double kMaxArgumentNumber = 1000000.0;

// Whether the token is read as a number: it begins like one (a sign, a digit
// or a point and a digit), or it is one whole ("nan", "inf", "1e30"). A name
// such as "Infos_auto" is not.
bool LooksLikeNumber(const std::string& token);

// The first token that looks like a number and is not finite or lies beyond
// ±kMaxArgumentNumber, as "expected a finite number from -1000000 to 1000000,
// found "nan""; empty when there is none.
std::string FindRefusedNumber(const std::vector<std::string>& tokens);
