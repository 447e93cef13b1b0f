#include "tools/world/DialogueWaits.h"

#include "engine/serial/FileUtils.h"
#include "tools/world/WorldText.h"

#include <algorithm>

bool IsDialogueWait(const std::string& scriptLine)
{
    const std::vector<std::string> words = SplitWords(scriptLine);
    return !words.empty() && ToLowerCase(words[0]) == "waitevent_startdialogue_fromfile";
}

int LeaveOutDialogueWaits(LevelDescription& level)
{
    int removed = 0;
    const size_t before = level.scripts.size();
    std::erase_if(level.scripts, [](const auto& line) { return IsDialogueWait(line.first); });
    removed += int(before - level.scripts.size());
    for (LevelPlacement& placement : level.placements) {
        std::vector<std::string> script;
        std::vector<int> where;
        for (size_t k = 0; k < placement.script.size(); ++k) {
            if (IsDialogueWait(placement.script[k])) {
                ++removed;
                continue;
            }
            script.push_back(placement.script[k]);
            if (k < placement.scriptLines.size())
                where.push_back(placement.scriptLines[k]);
        }
        placement.script = std::move(script);
        placement.scriptLines = std::move(where);
    }
    return removed;
}
