#include "engine/app/SplitCommandLine.h"

std::vector<std::string> SplitCommandLine(std::string text)
{
    std::vector<std::string> tokens;
    size_t start = 0;
    while (start < text.size()) {
        std::string token;
        size_t next = 0;
        if (text[start] == '"') {
            const size_t close = text.find('"', start + 1);
            if (close == std::string::npos)
                return tokens;
            token = text.substr(start + 1, close - start - 1);
            // The character right after the closing quote is skipped.
            next = close + 2;
        } else {
            const size_t blank = text.find(' ', start);
            const size_t end = blank == std::string::npos ? text.size() : blank;
            token = text.substr(start, end - start);
            next = end + 1;
        }
        if (token.find("//") != std::string::npos)
            return tokens;
        if (!token.empty())
            tokens.push_back(std::move(token));
        start = next;
    }
    return tokens;
}
