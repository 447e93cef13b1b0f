#include "engine/app/NumberArguments.h"

#include "engine/app/ConsoleCommand.h"

#include "engine/platform/DebugOutput.h"
#include "engine/serial/LineReaders.h"
#include "engine/serial/ReaderContext.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace {

bool IsDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

} // namespace

bool LooksLikeNumber(const std::string& token)
{
    // The blanks strtod skips before a number.
    size_t at = std::min(token.find_first_not_of(" \t\n\v\f\r"), token.size());
    const bool blanks = at > 0;
    const bool sign = at < token.size() && (token[at] == '+' || token[at] == '-');
    if (sign)
        ++at;
    if (at < token.size() && IsDigit(token[at]))
        return true;
    if (at + 1 < token.size() && token[at] == '.' && IsDigit(token[at + 1]))
        return true;
    if (token.empty())
        return false;
    char* end = nullptr;
    std::strtod(token.c_str(), &end);
    const bool read = end != token.c_str();
    return read && (blanks || sign || *end == '\0');
}

std::string FindRefusedNumber(const std::vector<std::string>& tokens)
{
    for (const std::string& token : tokens) {
        double value = 0.0;
        if (LooksLikeNumber(token)
            && !ParseNumberToken(token, -kMaxArgumentNumber, kMaxArgumentNumber, value))
            return "expected " + ExpectedNumberToken(-kMaxArgumentNumber, kMaxArgumentNumber) + ", found "
                + QuoteFound(token);
    }
    return {};
}

bool ArgumentNumbers::Int(const std::string& token, int32_t minimum, int32_t maximum, int32_t& value)
{
    int64_t parsed = 0;
    if (!ParseIntToken(token, minimum, maximum, parsed)) {
        Keep(ExpectedIntToken(minimum, maximum), token);
        return false;
    }
    value = static_cast<int32_t>(parsed);
    return true;
}

bool ArgumentNumbers::Float(const std::string& token, float minimum, float maximum, float& value)
{
    double parsed = 0.0;
    if (!Double(token, minimum, maximum, parsed))
        return false;
    value = static_cast<float>(parsed);
    return true;
}

bool ArgumentNumbers::Double(const std::string& token, double minimum, double maximum, double& value)
{
    if (!ParseNumberToken(token, minimum, maximum, value)) {
        Keep(ExpectedNumberToken(minimum, maximum), token);
        return false;
    }
    return true;
}

bool ArgumentNumbers::Refuse(const std::string& command) const
{
    return RefuseCommand(command, error);
}

void ArgumentNumbers::Keep(const std::string& expected, const std::string& token)
{
    if (error.empty())
        error = "expected " + expected + ", found " + QuoteFound(token);
}
