#include "engine/app/NumberArguments.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace {

bool IsDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

} // namespace

bool LooksLikeNumber(const std::string& token)
{
    if (token.empty())
        return false;
    size_t at = 0;
    if (token[at] == '+' || token[at] == '-')
        ++at;
    if (at < token.size() && IsDigit(token[at]))
        return true;
    if (at + 1 < token.size() && token[at] == '.' && IsDigit(token[at + 1]))
        return true;
    char* end = nullptr;
    std::strtod(token.c_str(), &end);
    return end != token.c_str() && *end == '\0';
}

std::string FindRefusedNumber(const std::vector<std::string>& tokens)
{
    for (const std::string& token : tokens) {
        if (!LooksLikeNumber(token))
            continue;
        // The value atof would read: the longest prefix that is a number.
        const double value = std::strtod(token.c_str(), nullptr);
        if (!std::isfinite(value) || std::fabs(value) > kMaxArgumentNumber) {
            const std::string limit = std::to_string(static_cast<long>(kMaxArgumentNumber));
            return "expected a finite number from -" + limit + " to " + limit + ", found \"" + token + "\"";
        }
    }
    return {};
}
