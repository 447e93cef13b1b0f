#include "engine/app/CommandLine.h"

#include <algorithm>

namespace {

std::string Lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
        [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
    return text;
}

bool Holds(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

CommandLineOptions ReadCommandLineTokens(const std::vector<std::string>& tokens)
{
    CommandLineOptions options;
    for (const std::string& token : tokens) {
        // The tests read the lower-case copy; the values are the token as
        // typed, since a path's letter case is part of it here.
        const std::string lowered = Lowered(token);
        if (options.levelName.empty() && Holds(lowered, ".lvl"))
            options.levelName = token;
        if (options.gameLibName.empty() && Holds(lowered, "gamelib.txt"))
            options.gameLibName = token;
        if (lowered.size() <= 3 || lowered[0] != '-')
            continue;
        // The window flag is the platform's own, so only the whole token
        // asks for it: a value that holds the word ("-setuserpath
        // /home/u/windowed_saves") stays a command. The console has no
        // "windowed" command, so it is never queued either.
        if (lowered == "-windowed" || lowered == "--windowed") {
            options.windowed = true;
            continue;
        }
        bool displayFlag = false;
        if (Holds(lowered, "fullscreen")) {
            options.fullScreen = true;
            displayFlag = true;
        }
        if (Holds(lowered, "ontop")) {
            options.onTop = true;
            displayFlag = true;
        }
        if (displayFlag)
            continue;
        // Console commands are named in lower case; their arguments keep
        // what was typed.
        const size_t blank = token.find(' ');
        options.queuedCommands.push_back(
            lowered.substr(1, blank == std::string::npos ? std::string::npos : blank - 1)
            + (blank == std::string::npos ? std::string() : token.substr(blank)));
    }
    return options;
}
