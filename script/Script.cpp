#include "script/Script.h"
#include "engine/app/UsageObserver.h"

#include "engine/app/SplitCommandLine.h"
#include "engine/platform/DebugOutput.h"
#include "engine/serial/FileUtils.h"
#include "scene/Level.h"
#include "scene/SceneObjectInstance.h"
#include "scene/SpacialInstance.h"
#include "script/ScriptGameAccess.h"

#include <algorithm>
#include <utility>

namespace {

std::vector<ScriptCommand>& CommandTable()
{
    static std::vector<ScriptCommand> table;
    return table;
}

constexpr uint32_t kScriptErrorColour = 0xFF9B0000u;

} // namespace

void SplitScriptLine(const std::string& line, std::string& command, std::string& arguments)
{
    std::string text = line;
    std::replace(text.begin(), text.end(), '\t', ' ');
    command = text;
    arguments.clear();
    if (text.find(' ') != std::string::npos) {
        const std::vector<std::string> tokens = SplitCommandLine(text);
        if (!tokens.empty()) {
            // The token is a piece of the line (quotes removed), so it is found.
            const size_t at = text.find(tokens[0]);
            command = tokens[0];
            arguments = text.substr(std::min(text.size(), at + tokens[0].size()));
        }
    }
    command = ToLowerCase(command);
}

namespace {

std::unique_ptr<LevelScript> MakeScript(std::string name)
{
    return std::make_unique<Script>(std::move(name));
}

// Wherever the runner is part of the program, the levels' start-up scripts
// are scripts that run.
const bool levelScriptsRun = (LevelScript::SetMaker(&MakeScript), true);

} // namespace

Script::Script(std::string name_)
    : LevelScript(std::move(name_))
{
}

Script::~Script()
{
    ReleaseEvents();
}

void Script::ReleaseEvents()
{
    // The level owns the events; it frees them once they have finished.
    // When the level goes, its queue may free them before this script.
    for (BackgroundEvent* event : events) {
        if (BackgroundEvent::IsLive(event))
            event->SetAutoDelete(true);
    }
    events.clear();
}

void Script::Start(const std::string& label)
{
    running = true;
    inSection = true;
    done = false;
    waiting = false;
    yield = false;
    skipDepth = 0;
    lastResult = true;
    lineIndex = 0;
    startLabel = ToLowerCase(label);
}

void Script::Run()
{
    if (stopRequested)
        finished = true;
    if (!running)
        return;
    if (waiting && (events.empty() || events.back()->IsFinished()))
        waiting = false;
    if (waiting)
        return;
    yield = false;
    if (lineIndex < 0)
        lineIndex = 0;
    bool end = lines.empty() || lineIndex >= static_cast<int>(lines.size());
    while (!end) {
        const std::string& line = lines[static_cast<size_t>(lineIndex)];
        lineError.clear();
        if (!line.empty() && !ExecuteLine(lineIndex)) {
            const std::string why = lineError.empty() ? std::string() : " (" + lineError + ")";
            platform::DebugOutput(Where(lineIndex) + "Script Error : " + line + why + "\n");
            if (ScriptGameAccess* game = GetScriptGameAccess())
                game->AddDebugMessage(" Script Error : " + line + why, kScriptErrorColour, 100.0);
        }
        ++lineIndex;
        if (lineIndex >= static_cast<int>(lines.size()))
            end = true;
        else if (yield)
            break;
    }
    if (end) {
        done = true;
        running = false;
        finished = true;
        // Nothing waits any more: the level frees these once they finish,
        // instead of stepping them finished until the script goes.
        ReleaseEvents();
    }
    RemoveFinishedEvents();
}

bool Script::ExecuteLine(int index)
{
    if (index < 0 || index >= static_cast<int>(lines.size()))
        return false;
    std::string command;
    std::string arguments;
    SplitScriptLine(lines[static_cast<size_t>(index)], command, arguments);
    if (!command.empty() && command[0] == ':') {
        inSection = command == startLabel;
        return true;
    }
    if (!inSection)
        return true;
    if (skipDepth != 0 && command != "(" && command != ")")
        return true;
    if (command.starts_with("wait")) {
        command.erase(0, 4);
        waiting = true;
        yield = true;
    }
    const ScriptCommand* record = FindCommand(command);
    if (record == nullptr)
        return false;
    NoteUse("script command", record->name);
    return record->handler(this, std::move(arguments));
}

std::string Script::Where(int index) const
{
    std::string where;
    const Level* level = ownerInstance != nullptr ? ownerInstance->GetLevel() : nullptr;
    if (level == nullptr) {
        if (ScriptGameAccess* game = GetScriptGameAccess())
            level = game->GetCurrentLevel();
    }
    if (level != nullptr && !level->GetName().empty())
        where = level->GetName() + ": ";
    where += name;
    const SceneObjectInstance* trigger = ownerInstance != nullptr ? ownerInstance->GetPayload() : nullptr;
    if (trigger != nullptr && !trigger->GetName().empty())
        where += " of trigger \"" + trigger->GetName() + "\"";
    return where + ":" + std::to_string(index + 1) + ": ";
}

ScriptVar* Script::FindLocalVar(const std::string& varName)
{
    const std::string lower = ToLowerCase(varName);
    for (const auto& var : localVars) {
        if (var->GetName() == lower)
            return var.get();
    }
    return nullptr;
}

ScriptVar* Script::FindVar(const std::string& varName)
{
    const std::string lower = ToLowerCase(varName);
    if (ScriptVar* local = FindLocalVar(lower))
        return local;
    ScriptGameAccess* game = GetScriptGameAccess();
    if (game == nullptr)
        return nullptr;
    if (ScriptVar* global = game->FindGlobalVar(lower))
        return global;
    return game->FindSaveVar(lower);
}

void Script::PopResult()
{
    if (results.empty()) {
        lastResult = false;
        return;
    }
    lastResult = results.back();
    results.pop_back();
}

void Script::TrackEvent(BackgroundEvent* event)
{
    if (event == nullptr)
        return;
    event->SetAutoDelete(false);
    events.push_back(event);
}

void Script::RemoveFinishedEvents()
{
    for (size_t i = events.size(); i-- > 0;) {
        if (events[i]->IsFinished()) {
            events[i]->SetAutoDelete(true);
            events.erase(events.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
}

std::vector<GraphicalObject*> Script::CollectSetGraphicalObjects(const std::string& text)
{
    std::vector<GraphicalObject*> found;
    ScriptGameAccess* game = GetScriptGameAccess();
    size_t at = text.find("SetGraphical");
    while (at != std::string::npos) {
        // A line break ends a statement as ";" does (texts come back from
        // GetText with line breaks).
        const size_t end = text.find_first_of(";\n", at);
        const std::string statement
            = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
        const std::vector<std::string> tokens = SplitCommandLine(statement);
        if (tokens.size() >= 3 && game != nullptr) {
            if (GraphicalObject* object = game->FindGraphicalObject(tokens[2]))
                found.push_back(object);
        }
        if (end == std::string::npos)
            break;
        at = text.find("SetGraphical", end + 1);
    }
    return found;
}

void Script::RegisterCommand(std::string name, ScriptHandler handler, std::string help,
    std::vector<std::string> grammar, std::vector<std::string> defaults)
{
    CommandTable().push_back(ScriptCommand {ToLowerCase(std::move(name)), std::move(handler), std::move(help),
        std::move(grammar), std::move(defaults)});
}

const std::vector<ScriptCommand>& Script::GetCommands()
{
    return CommandTable();
}

const ScriptCommand* Script::FindCommand(const std::string& name)
{
    for (const ScriptCommand& record : CommandTable()) {
        if (record.name == name && record.handler)
            return &record;
    }
    return nullptr;
}

void Script::ClearCommands()
{
    CommandTable().clear();
}
