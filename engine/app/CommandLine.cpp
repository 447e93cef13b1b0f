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
        const std::string lowered = Lowered(token);
        if (options.levelName.empty() && Holds(lowered, ".lvl"))
            options.levelName = lowered;
        if (options.gameLibName.empty() && Holds(lowered, "gamelib.txt"))
            options.gameLibName = lowered;
        if (lowered.size() <= 3 || lowered[0] != '-')
            continue;
        bool displayFlag = false;
        if (Holds(lowered, "fullscreen")) {
            options.fullScreen = true;
            displayFlag = true;
        }
        if (Holds(lowered, "ontop")) {
            options.onTop = true;
            displayFlag = true;
        }
        // The window flag is the platform's own: the console has no
        // "windowed" command, so it is never queued either.
        if (Holds(lowered, "windowed")) {
            options.windowed = true;
            displayFlag = true;
        }
        if (!displayFlag)
            options.queuedCommands.push_back(lowered.substr(1));
    }
    return options;
}
