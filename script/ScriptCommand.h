#pragma once

#include <functional>
#include <string>
#include <vector>

class Script;

// The operation of a script command: it receives the script that runs the
// line and the argument text (everything behind the command word, leading
// blank included) and tells whether it was carried out.
using ScriptHandler = std::function<bool(Script*, std::string)>;

// One record of the script command table, laid out as a console command.
// Only the name and the handler take part in execution; a record without a
// handler is passed over by the look-up.
struct ScriptCommand {
    std::string name;
    ScriptHandler handler;
    std::string help;
    std::vector<std::string> grammar;
    std::vector<std::string> defaults;
};
