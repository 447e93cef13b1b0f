#pragma once

#include <functional>
#include <string>
#include <vector>

// The operation run for a console command: it receives the argument text of
// the line (everything behind the first blank, possibly empty) and tells
// whether it had what it needs.
using ConsoleHandler = std::function<bool(std::string)>;

// One command of a command table. Only the name and the handler take part in
// execution; the help text, the grammar (one string per argument position or
// group) and the default lines are stored for whoever shows them.
struct ConsoleCommand {
    std::string name;
    ConsoleHandler handler;
    std::string help;
    std::vector<std::string> grammar;
    std::vector<std::string> defaults;
};

// An ordered table of commands. Records stay in registration order; names may
// repeat, and the first record of a name that has a handler is the one run.
class ConsoleCommandTable {
public:
    // Appends one record; checks and runs nothing.
    void RegisterCommand(ConsoleHandler handler, std::string name, std::string help,
        std::vector<std::string> grammar, std::vector<std::string> defaults);

    // Splits the line at its first blank (space only; a tab is an ordinary
    // character) into command word and argument text, runs the first record
    // whose name equals the word exactly and whose handler is set, and returns
    // its result. False, and nothing else, when no record is selected. A
    // command that takes numbers is refused (false, said on the debug output)
    // when one of them is not finite or out of range (RefusedArguments).
    bool ExecuteCommand(std::string line);

    // The first record of that name with a handler, or null.
    const ConsoleCommand* FindCommand(const std::string& name) const;
    const std::vector<ConsoleCommand>& GetCommands() const { return commands; }

private:
    std::vector<ConsoleCommand> commands;
};

// For a command whose grammar takes numbers ("int", "float" or "bool"), why
// its arguments are refused ("expected a number from ... to ..., found ..."), or
// empty when they may run.
std::string RefusedArguments(const ConsoleCommand& command, const std::string& arguments);

// Refuses a command's arguments: says "command: reason" where the player and
// the developer see it and returns false, for `return RefuseCommand(...)`.
// While a command file runs the command (a CommandRefusal is bound), the
// first reason goes to the file's runner instead, which names the file and
// the line with it.
bool RefuseCommand(const std::string& command, const std::string& reason);

// Says how a command that ran read arguments that mean less than they seem
// (words it does not read): kept, as RefuseCommand keeps a reason, for the
// command file's runner to name with the file and the line; else said at
// once.
void NoteCommand(const std::string& command, const std::string& note);

// Tells the runner of the command being run that it did its work, though it
// answers false (a debug switch answers false, set or not): the line is no
// failure and says nothing. Nothing when no runner is bound (the console
// reads no result).
void CommandDone();

// Binds itself, for its lifetime, as the place where RefuseCommand keeps the
// first reason of the command being run on this thread (a nested one hides
// the outer one until it ends). Later reasons are said at once, so none is
// lost.
class CommandRefusal {
public:
    CommandRefusal();
    ~CommandRefusal();
    CommandRefusal(const CommandRefusal&) = delete;
    CommandRefusal& operator=(const CommandRefusal&) = delete;

    // "expected an integer from 0 to 2, found "3""; empty when none.
    const std::string& Reason() const { return reason; }
    // The first NoteCommand of a command that ran; empty when none.
    const std::string& Note() const { return note; }
    // Whether the command said CommandDone.
    bool Done() const { return done; }

private:
    friend bool RefuseCommand(const std::string& command, const std::string& reason);
    friend void NoteCommand(const std::string& command, const std::string& note);
    friend void CommandDone();
    CommandRefusal* outer;
    std::string reason;
    std::string note;
    bool done = false;
};
