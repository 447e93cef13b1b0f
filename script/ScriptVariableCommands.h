#pragma once

#include <string>

class Script;

// The script commands on variables and blocks. Each takes the running script
// and the argument text of its line and returns whether it was carried out.
namespace ScriptVariableCommands {

// scope name value: scope "local" creates a new local variable (fails when
// one of the name exists); "global" and "save" find or create and set.
bool CreateVar(Script* script, std::string arguments);
// name value: sets the first variable of the name (local, global, save).
bool SetVar(Script* script, std::string arguments);
// name op operand [and|or name op operand]...: pushes the result.
bool IfVar(Script* script, std::string arguments);
// "(" enters a block, skipping it when the top result is false.
bool OpenBlock(Script* script, std::string arguments);
// ")" leaves a block; the outermost close pops the result.
bool CloseBlock(Script* script, std::string arguments);
// Pushes the negation of the last popped result.
bool Else(Script* script, std::string arguments);

} // namespace ScriptVariableCommands
