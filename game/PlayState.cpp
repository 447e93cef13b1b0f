#include "game/PlayState.h"

namespace {

constexpr std::string_view kPrefix = "Play state: ";
constexpr PlayState kStates[]
    = {PlayState::NoLevel, PlayState::MenuOpen, PlayState::Paused, PlayState::Dialogue, PlayState::Running};

} // namespace

std::string_view PlayStateName(PlayState state)
{
    switch (state) {
    case PlayState::NoLevel:
        return "no level";
    case PlayState::MenuOpen:
        return "menu open";
    case PlayState::Paused:
        return "paused";
    case PlayState::Dialogue:
        return "dialogue";
    case PlayState::Running:
        break;
    }
    return "running";
}

std::string PlayStateLine(PlayState state)
{
    return std::string(kPrefix) + std::string(PlayStateName(state)) + "\n";
}

std::optional<PlayState> LastPlayState(std::string_view log)
{
    // The last line that starts with the prefix and names a state wholly.
    for (size_t end = log.size(); end > 0;) {
        const size_t start = log.rfind('\n', end - 1);
        const size_t from = start == std::string_view::npos ? 0 : start + 1;
        std::string_view line = log.substr(from, end - from);
        end = start == std::string_view::npos ? 0 : start;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!line.starts_with(kPrefix))
            continue;
        line.remove_prefix(kPrefix.size());
        for (const PlayState state : kStates)
            if (line == PlayStateName(state))
                return state;
    }
    return std::nullopt;
}
