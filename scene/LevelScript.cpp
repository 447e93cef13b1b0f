#include "scene/LevelScript.h"

#include <utility>

namespace {

// Zero before any constructor runs, so the runner may install itself while
// the program starts.
LevelScript::Maker installedMaker = nullptr;

} // namespace

LevelScript::LevelScript(std::string name_)
    : BackgroundEvent(std::move(name_))
{
}

void LevelScript::SetText(const std::string& text)
{
    lines.clear();
    std::string line;
    for (char c : text) {
        if (c == ';' || c == '\n') {
            lines.push_back(std::move(line));
            line.clear();
        } else if (c != '\r') {
            line += c;
        }
    }
    lines.push_back(std::move(line));
}

std::string LevelScript::GetText() const
{
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i != 0)
            text += '\n';
        text += lines[i];
    }
    return text;
}

std::unique_ptr<LevelScript> LevelScript::Make(std::string name)
{
    if (installedMaker != nullptr)
        return installedMaker(std::move(name));
    return std::make_unique<LevelScript>(std::move(name));
}

LevelScript::Maker LevelScript::SetMaker(Maker maker)
{
    return std::exchange(installedMaker, maker);
}
