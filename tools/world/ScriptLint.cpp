#include "tools/world/ScriptLint.h"

#include "engine/serial/FileUtils.h"
#include "tools/world/WorldText.h"

#include <algorithm>
#include <cstdlib>
#include <map>

namespace {

const std::set<std::string> kLabels
    = {":OnStartup", ":OnEnter", ":OnEnterOnce", ":OnLeave", ":OnLeaveOnce", ":OnHit"};
const std::set<std::string> kOperators = {"==", "!=", ">=", "<=", ">", "<"};

// Arguments each command needs at least (the words after the command).
const std::map<std::string, size_t> kMinimumArguments = {{"Event_ShowDebugMessage", 1},
    {"Event_WaitTimer", 1}, {"Event_StartDialogue_FromFile", 2}, {"PauseGameplay", 1}, {"IgnoreInputs", 1},
    {"SendMessageTo", 2}, {"Event_ChangeCameraTargetToPlayer", 1}, {"Event_ChangeCameraTargetToLocator", 2},
    {"AskToChangeLevel", 2}, {"Event_WaitMessage", 1}, {"Event_ShakeCamera", 5},
    {"AddFullscreenParticles", 13}, {"AddLocalParticles", 1}, {"SetGraphical", 2},
    {"ChangeGraphicalOnLayer", 3}, {"Event_WaitEndOfAnimation", 1}, {"RefreshGraphicalCollision", 1},
    {"Event_ChangeNPCTargetToLocator", 3}, {"SetLayerVisible", 2}, {"PlayMusic", 2}, {"StopMusic", 1},
    {"ChangeNPCRenderAfterPlayer", 2}, {"AddSecretZone", 1}, {"RemoveSecretZone", 1},
    {"UseParticleSystem", 2}, {"PopPickupInTrigger", 2}, {"ChangeFadeTimer", 1}, {"ChangeFadeToBlack", 1},
    {"ChangeStoryHintPosition", 2}, {"SaveGame", 2}, {"PreLoadGraphical", 1}, {"PrepareSoundEvents", 2},
    {"PlaySoundEvent", 2}, {"StopSoundEvent", 2}, {"AddLayerInCinematic", 2}, {"Event_RunPickupCinematic", 1},
    {"ShowEnding", 1}, {"ForceToHideUI", 1}, {"ChangeAchievementCurrentValue", 2},
    {"IncrementAchievementCurrentValue", 1}, {"ForceMusicToRestartAtTime", 2}, {"CreateVar", 3},
    {"SetVar", 2}, {"IfVar", 3}};

// Commands whose first argument (and, for the NPC locator, the second) names
// a trigger of the same level.
const std::set<std::string> kTriggerFirst
    = {"SetGraphical", "RefreshGraphicalCollision", "PrepareSoundEvents", "PlaySoundEvent", "StopSoundEvent",
        "Event_WaitEndOfAnimation", "PopPickupInTrigger", "ChangeNPCRenderAfterPlayer", "AddSecretZone",
        "RemoveSecretZone", "Event_ChangeNPCTargetToLocator"};

bool IsNumber(const std::string& word)
{
    if (word.empty())
        return false;
    char* end = nullptr;
    std::strtod(word.c_str(), &end);
    return end != nullptr && *end == '\0';
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at - start));
        if (at == std::string::npos)
            return parts;
        start = at + 1;
    }
}

// A length in half tiles as tiles: "8" or "8.5".
std::string HalfTiles(int halves)
{
    return std::to_string(halves / 2) + (halves % 2 != 0 ? ".5" : "");
}

struct ScriptLine {
    std::string text;
    int line;
};

class Checker {
public:
    Checker(const LevelDescription& level, const ScriptNames& names)
        : level(level)
        , names(names)
    {
        for (const LevelPlacement& p : level.placements) {
            if (p.object == "Zone_TriggerZone")
                triggers[p.name] = &p;
            if (p.object == "ZoneHolder")
                holders[p.name] = &p;
        }
        // Sounds a trigger's start-up or any script of the level prepares.
        for (const LevelPlacement& p : level.placements)
            for (const std::string& line : p.script)
                Prepared(SplitWords(line));
        for (const auto& [line, where] : level.scripts)
            Prepared(SplitWords(line));
    }

    void Script(const std::string& owner, const std::vector<ScriptLine>& lines, bool trigger)
    {
        int depth = 0;
        std::string previous;
        std::map<std::string, std::string> shown; // trigger -> graphic last set in this script
        for (const ScriptLine& l : lines) {
            std::vector<std::string> w = SplitWords(l.text);
            if (w.empty())
                continue;
            std::string command = w[0];
            if (command[0] == ':') {
                if (!trigger)
                    Fault(l.line, "a label stands only in a trigger's script, found \"" + command + "\"");
                else if (!kLabels.count(command))
                    Fault(l.line,
                        "expected a trigger label (:OnStartup, :OnEnter, :OnEnterOnce, :OnLeave, "
                        ":OnLeaveOnce or :OnHit), found \""
                            + command + "\"");
                if (depth != 0)
                    Fault(l.line, "expected \")\" before the label, found \"" + command + "\"");
                depth = 0;
                if (command == ":OnHit")
                    Struck(l.line, owner);
                previous = command;
                shown.clear();
                continue;
            }
            if (command == "(") {
                if (previous != "IfVar" && previous != "Else")
                    Fault(l.line,
                        "expected \"(\" after \"IfVar\" or \"Else\", found it after \"" + previous + "\"");
                ++depth;
            } else if (command == ")") {
                if (--depth < 0) {
                    Fault(l.line, "expected a \"(\" before this \")\", found none");
                    depth = 0;
                }
            } else if (command == "Else") {
                if (previous != ")")
                    Fault(l.line, "expected \"Else\" right after \")\", found it after \"" + previous + "\"");
            }
            if (command.rfind("wait", 0) == 0)
                command.erase(0, 4);
            previous = command;
            if (names.knownCommand && !names.knownCommand(command)) {
                Fault(l.line, "expected a script command, found \"" + w[0] + "\"");
                continue;
            }
            Arguments(command, std::vector<std::string>(w.begin() + 1, w.end()), l.line, shown);
        }
        if (depth != 0)
            Fault(lines.empty() ? 0 : lines.back().line,
                "expected " + std::to_string(depth) + " more \")\" at the script's end, found none");
    }

    std::vector<std::string> faults;

private:
    void Prepared(const std::vector<std::string>& w)
    {
        if (w.size() >= 3 && w[0] == "PrepareSoundEvents")
            for (const std::string& event : Split(w[2], ','))
                prepared.insert(w[1] + "/" + event);
    }

    // A trigger struck by the player needs a graphic that can be hit.
    void Struck(int line, const std::string& owner)
    {
        auto it = triggers.find(owner);
        if (it == triggers.end())
            return;
        auto graphic = it->second->options.find("graphic");
        const std::string name = graphic == it->second->options.end() ? std::string() : graphic->second;
        if (!names.hittable.count(name))
            Fault(line,
                "expected a graphic with a hurt box on \"" + owner + "\" for \":OnHit\", found \"" + name
                    + "\"");
    }

    void Fault(int line, const std::string& message)
    {
        faults.push_back(level.file + ":" + std::to_string(line) + ": " + message);
    }

    void Object(int line, const std::string& name)
    {
        if (!names.objects.count(name))
            Fault(line, "expected an object of the game library, found \"" + name + "\"");
    }
    void Trigger(int line, const std::string& name)
    {
        if (!triggers.count(name))
            Fault(line, "expected a trigger of this level, found \"" + name + "\"");
    }
    void Event(int line, const std::string& trigger, const std::string& event, bool play)
    {
        if (!names.soundEvents.count(event))
            Fault(line, "expected a sound event the world has a sound for, found \"" + event + "\"");
        else if (play && !prepared.count(trigger + "/" + event))
            Fault(line,
                "expected \"PrepareSoundEvents " + trigger + " " + event + "\" in this level, found none");
    }
    void Track(int line, const std::string& track)
    {
        if (!names.tracks.count(track))
            Fault(line, "expected music the settings register, found \"" + track + "\"");
    }
    void Achievement(int line, const std::string& name)
    {
        if (!names.achievements.count(name))
            Fault(line, "expected an achievement name, found \"" + name + "\"");
    }

    void Condition(int line, const std::vector<std::string>& a)
    {
        // name op value { and|or name op value }
        if (a.size() < 3 || (a.size() + 1) % 4 != 0) {
            Fault(line,
                "expected \"IfVar NAME OP VALUE [and|or NAME OP VALUE]...\", found "
                    + std::to_string(a.size()) + " words");
            return;
        }
        std::string joiner;
        for (size_t i = 0; i < a.size(); i += 4) {
            if (!kOperators.count(a[i + 1]))
                Fault(line, "expected a comparison (== != >= <= > <), found \"" + a[i + 1] + "\"");
            if (!IsNumber(a[i + 2]))
                Fault(line, "expected a number to compare \"" + a[i] + "\" with, found \"" + a[i + 2] + "\"");
            if (i + 3 < a.size()) {
                if (a[i + 3] != "and" && a[i + 3] != "or")
                    Fault(line, "expected \"and\" or \"or\", found \"" + a[i + 3] + "\"");
                else if (!joiner.empty() && joiner != a[i + 3])
                    Fault(line, "expected one joiner throughout, found both \"and\" and \"or\"");
                joiner = a[i + 3];
            }
        }
    }

    void Arguments(const std::string& command, const std::vector<std::string>& a, int line,
        std::map<std::string, std::string>& shown)
    {
        auto need = kMinimumArguments.find(command);
        if (need != kMinimumArguments.end() && a.size() < need->second) {
            Fault(line,
                "\"" + command + "\" expected " + std::to_string(need->second) + " arguments, found "
                    + std::to_string(a.size()));
            return;
        }
        if (kTriggerFirst.count(command))
            Trigger(line, a[0]);
        if (command == "SetGraphical") {
            Object(line, a[1]);
            shown[a[0]] = a[1];
        } else if (command == "Event_WaitEndOfAnimation") {
            auto it = shown.find(a[0]);
            if (it == shown.end())
                Fault(line,
                    "expected \"SetGraphical " + a[0] + " ...\" before waiting on its animation, found none");
            else if (!names.finishing.count(it->second))
                Fault(line,
                    "expected a finishing animation to wait on, found the looping \"" + it->second + "\"");
        } else if (command == "PrepareSoundEvents") {
            for (const std::string& event : Split(a[1], ','))
                Event(line, a[0], event, false);
        } else if (command == "PlaySoundEvent" || command == "StopSoundEvent") {
            Event(line, a[0], a[1], true);
        } else if (command == "Event_ChangeNPCTargetToLocator") {
            Trigger(line, a[1]);
        } else if (command == "Event_ChangeCameraTargetToLocator") {
            const LevelPlacement* locator = triggers.count(a[0]) ? triggers.at(a[0])
                : holders.count(a[0])                            ? holders.at(a[0])
                                                                 : nullptr;
            if (locator == nullptr)
                Fault(line, "expected a trigger or zone holder of this level, found \"" + a[0] + "\"");
            else
                CameraLocator(line, *locator);
        } else if (command == "Event_StartDialogue_FromFile") {
            const int blocks = names.dialogueBlocks ? names.dialogueBlocks(a[0]) : -1;
            if (blocks < 0)
                Fault(line, "expected a dialogue file every language has alike, found \"" + a[0] + "\"");
            else if (!IsNumber(a[1]) || std::atoi(a[1].c_str()) < 0 || std::atoi(a[1].c_str()) >= blocks)
                Fault(line,
                    "expected a block of \"" + a[0] + "\" (0 to " + std::to_string(blocks - 1) + "), found \""
                        + a[1] + "\"");
        } else if (command == "PlayMusic" || command == "ForceMusicToRestartAtTime") {
            Track(line, a[0]);
        } else if (command == "AskToChangeLevel") {
            ChangeLevel(line, a[0], a[1]);
        } else if (command == "Event_RunPickupCinematic") {
            const int mode = std::atoi(a[0].c_str());
            if ((mode == 1 || mode == 2) && a.size() < 3)
                Fault(line,
                    "expected the two pictures of the cut-scene, found " + std::to_string(a.size() - 1));
            else if (mode == 1 || mode == 2) {
                Object(line, a[1]);
                Object(line, a[2]);
            } else if ((mode == 4 || mode == 5) && a.size() < 2)
                Fault(line, "expected the picture the HUD shows, found none");
            else if (mode == 4 || mode == 5)
                Object(line, a[1]);
        } else if (command == "ChangeAchievementCurrentValue"
            || command == "IncrementAchievementCurrentValue") {
            Achievement(line, a[0]);
        } else if (command == "CreateVar") {
            if (a[0] != "save" && a[0] != "global" && a[0] != "local")
                Fault(line, "expected the scope save, global or local, found \"" + a[0] + "\"");
            if (!IsNumber(a[2]))
                Fault(line, "expected a number for \"" + a[1] + "\", found \"" + a[2] + "\"");
        } else if (command == "IfVar") {
            Condition(line, a);
        } else if (command == "ChangeStoryHintPosition") {
            const int x = std::atoi(a[0].c_str()), y = std::atoi(a[1].c_str());
            if (!IsNumber(a[0]) || !IsNumber(a[1]) || x < 0 || x > 49 || y < 0 || y > 42)
                Fault(line, "expected a map cell inside 0-49 x 0-42, found \"" + a[0] + " " + a[1] + "\"");
        } else if (command == "PreLoadGraphical") {
            Object(line, a[0]);
        } else if (command == "ChangeGraphicalOnLayer") {
            if (!names.layers.count(a[0]))
                Fault(line, "expected a layer name, found \"" + a[0] + "\"");
            Object(line, a[1]);
            Object(line, a[2]);
        } else if (command == "SetLayerVisible") {
            if (!names.layers.count(a[0]))
                Fault(line, "expected a layer name, found \"" + a[0] + "\"");
        }
    }

    // The camera centres on a locator and waits until it gets there: the
    // view (16 x 14 tiles) around the locator's centre must fit in the level,
    // or the camera stops at the edge short of it and the wait never ends.
    void CameraLocator(int line, const LevelPlacement& locator)
    {
        const int centreX2 = 2 * locator.x + locator.w, centreY2 = 2 * locator.y + locator.h; // in half tiles
        if (centreX2 < 16 || centreX2 > 2 * level.TileWidth() - 16 || centreY2 < 14
            || centreY2 > 2 * level.TileHeight() - 14)
            Fault(line,
                "expected a camera locator whose centre keeps the view inside the level (8 tiles from the "
                "sides, 7 from the bottom and top), found \""
                    + locator.name + "\" centred at tile " + HalfTiles(centreX2) + " " + HalfTiles(centreY2));
    }

    void ChangeLevel(int line, const std::string& target, const std::string& start)
    {
        if (!names.levelNames.count(ToLowerCase(target))) {
            Fault(line, "expected a level of the world, found \"" + target + "\"");
            return;
        }
        if (names.levels == nullptr)
            return;
        for (const LevelDescription& other : *names.levels) {
            if (ToLowerCase(other.level) != ToLowerCase(target))
                continue;
            const bool found
                = std::any_of(other.placements.begin(), other.placements.end(), [&](const LevelPlacement& p) {
                      return p.object == "Point_PlayerStart"
                          && (p.options.count("name") ? p.options.at("name") : p.name) == start;
                  });
            if (!found)
                Fault(line, "expected a start point of " + target + ", found \"" + start + "\"");
        }
    }

    const LevelDescription& level;
    const ScriptNames& names;
    std::map<std::string, const LevelPlacement*> triggers;
    std::map<std::string, const LevelPlacement*> holders;
    std::set<std::string> prepared;
};

} // namespace

std::vector<std::string> CheckLevelScripts(const LevelDescription& level, const ScriptNames& names)
{
    Checker checker(level, names);
    std::vector<ScriptLine> startup;
    for (const auto& [text, line] : level.scripts)
        startup.push_back({text, line});
    checker.Script("", startup, false);
    for (const LevelPlacement& p : level.placements) {
        if (p.object != "Zone_TriggerZone")
            continue;
        auto graphic = p.options.find("graphic");
        if (graphic != p.options.end() && !names.objects.count(graphic->second))
            checker.faults.push_back(level.file + ":" + std::to_string(p.line)
                + ": expected an object of the game library as graphic, found \"" + graphic->second + "\"");
        std::vector<ScriptLine> lines;
        for (size_t k = 0; k < p.script.size(); ++k)
            lines.push_back({p.script[k], k < p.scriptLines.size() ? p.scriptLines[k] : p.line});
        checker.Script(p.name, lines, true);
    }
    return checker.faults;
}
