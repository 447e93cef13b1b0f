#pragma once

#include "engine/app/ConsoleCommand.h"

#include <string>
#include <vector>

// The script runner. Only its command table is here yet: records of the
// console-command layout, names stored in lower case.
class Script {
public:
    // Lower-cases the name and appends the record; checks nothing.
    static void RegisterCommand(std::string name, ConsoleHandler handler, std::string help,
        std::vector<std::string> grammar, std::vector<std::string> defaults);
    static const std::vector<ConsoleCommand>& GetCommands();
    // Empties the table (the game object that registered the commands goes).
    static void ClearCommands();
};

// Registers the 52 script commands in their fixed order.
void RegisterScriptCommands();
