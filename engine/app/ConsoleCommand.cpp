#include "engine/app/ConsoleCommand.h"
#include "engine/app/UsageObserver.h"

#include "engine/app/NumberArguments.h"
#include "engine/app/SplitCommandLine.h"
#include "engine/platform/DebugOutput.h"

#include <utility>

void ConsoleCommandTable::RegisterCommand(ConsoleHandler handler, std::string name, std::string help,
    std::vector<std::string> grammar, std::vector<std::string> defaults)
{
    commands.push_back(ConsoleCommand {
        std::move(name), std::move(handler), std::move(help), std::move(grammar), std::move(defaults)});
}

const ConsoleCommand* ConsoleCommandTable::FindCommand(const std::string& name) const
{
    for (const ConsoleCommand& command : commands) {
        if (command.handler && command.name == name)
            return &command;
    }
    return nullptr;
}

bool ConsoleCommandTable::ExecuteCommand(std::string line)
{
    const size_t blank = line.find(' ');
    std::string word = blank == std::string::npos ? line : line.substr(0, blank);
    std::string arguments = blank == std::string::npos ? std::string() : line.substr(blank + 1);
    const ConsoleCommand* command = FindCommand(word);
    if (command == nullptr)
        return false;
    NoteUse("console command", word);
    if (const std::string refused = RefusedArguments(*command, arguments); !refused.empty()) {
        platform::DebugOutput(word + ": " + refused + "\n");
        return false;
    }
    // A copy: the handler may register further commands and move the table.
    ConsoleHandler handler = command->handler;
    return handler(std::move(arguments));
}

std::string RefusedArguments(const ConsoleCommand& command, const std::string& arguments)
{
    bool takesNumbers = false;
    for (const std::string& part : command.grammar) {
        if (part.find("int") != std::string::npos || part.find("float") != std::string::npos
            || part.find("bool") != std::string::npos)
            takesNumbers = true;
    }
    return takesNumbers ? FindRefusedNumber(SplitCommandLine(arguments)) : std::string();
}

namespace {

// The refusal bound on this thread, innermost first.
thread_local CommandRefusal* g_CurrentRefusal = nullptr;

} // namespace

CommandRefusal::CommandRefusal()
    : outer(g_CurrentRefusal)
{
    g_CurrentRefusal = this;
}

CommandRefusal::~CommandRefusal()
{
    g_CurrentRefusal = outer;
}

bool RefuseCommand(const std::string& command, const std::string& reason)
{
    if (CommandRefusal* bound = g_CurrentRefusal; bound != nullptr && bound->reason.empty())
        bound->reason = reason;
    else
        platform::ReportProblem(command + ": " + reason + "\n");
    return false;
}

void NoteCommand(const std::string& command, const std::string& note)
{
    if (CommandRefusal* bound = g_CurrentRefusal; bound != nullptr && bound->note.empty())
        bound->note = note;
    else
        platform::ReportProblem(command + ": " + note + "\n");
}

void CommandDone()
{
    if (CommandRefusal* bound = g_CurrentRefusal; bound != nullptr)
        bound->done = true;
}
