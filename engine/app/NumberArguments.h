#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Numbers in the arguments of console commands, settings files and scripts.
// Every number is read whole from its token (ParseNumberToken /
// ParseIntToken): a token that merely begins like a number ("2x", " 1e30x",
// "-infx") or spells a value that is not finite is refused with a message
// instead of being half-read.

// The largest magnitude an argument number may have (frames, pixels, speeds
// and counts all stay far below it).
inline constexpr double kMaxArgumentNumber = 1000000.0;

// Whether a lenient reader (atof, atoi) would take a number from the token:
// it begins like one after optional blanks (a sign, a digit or a point and a
// digit), a sign precedes what such a reader reads ("-infx"), or it is one
// whole ("nan", "inf", "1e30"). A name such as "Infos_auto" or "infernal" is
// not.
bool LooksLikeNumber(const std::string& token);

// The first token that looks like a number and is not a whole finite number
// within ±kMaxArgumentNumber, as "expected a number from -1000000 to 1000000,
// found "nan""; empty when there is none.
std::string FindRefusedNumber(const std::vector<std::string>& tokens);

// Reads the numbers of one command's arguments, each within its field's
// range. A refused token leaves its target unchanged and keeps the first
// error ("expected an integer from 0 to 100, found "infx""), so a handler
// reads all its values and stores them only when Ok().
class ArgumentNumbers {
public:
    bool Int(const std::string& token, int32_t minimum, int32_t maximum, int32_t& value);
    bool Float(const std::string& token, float minimum, float maximum, float& value);
    bool Double(const std::string& token, double minimum, double maximum, double& value);

    bool Ok() const { return error.empty(); }
    const std::string& Error() const { return error; }
    // Refuses the command with the first error (RefuseCommand: "command:
    // error" where the player and the developer see it, or to the command
    // file running it) and returns false, for
    // `return numbers.Refuse("setplayerspeed");`.
    bool Refuse(const std::string& command) const;

private:
    void Keep(const std::string& expected, const std::string& token);

    std::string error;
};
