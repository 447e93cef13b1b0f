#include "script/ScriptVariableCommands.h"

#include "engine/app/SplitCommandLine.h"
#include "engine/serial/FileUtils.h"
#include "script/Script.h"
#include "script/ScriptGameAccess.h"

#include <cstdlib>
#include <memory>
#include <vector>

namespace ScriptVariableCommands {

namespace {

// One condition: a missing variable or an unknown operator is false.
bool Evaluate(Script& script, const std::string& varName, const std::string& op, const std::string& operand)
{
    ScriptVar* var = script.FindVar(varName);
    if (var == nullptr)
        return false;
    const std::string value = var->GetValue();
    std::string right = operand;
    if (ScriptVar* other = script.FindVar(operand))
        right = other->GetValue();
    if (op == "==")
        return value == right;
    if (op == "!=")
        return value != right;
    const float a = static_cast<float>(std::atof(value.c_str()));
    const float b = static_cast<float>(std::atof(right.c_str()));
    if (op == ">=")
        return a >= b;
    if (op == "<=")
        return a <= b;
    if (op == ">")
        return a > b;
    if (op == "<")
        return a < b;
    return false;
}

} // namespace

bool CreateVar(Script* script, std::string arguments)
{
    if (script == nullptr)
        return false;
    const std::vector<std::string> tokens = SplitCommandLine(std::move(arguments));
    if (tokens.size() < 3)
        return false;
    const std::string scope = ToLowerCase(tokens[0]);
    const std::string name = ToLowerCase(tokens[1]);
    ScriptVar* var = nullptr;
    if (scope == "local") {
        if (script->FindLocalVar(name) != nullptr)
            return false;
        script->GetLocalVars().push_back(std::make_unique<ScriptVar>(name));
        var = script->GetLocalVars().back().get();
    } else if (scope == "global" || scope == "save") {
        ScriptGameAccess* game = GetScriptGameAccess();
        if (game == nullptr)
            return false;
        // Found or created: an existing variable is overwritten.
        if (scope == "global")
            var = game->FindGlobalVar(name) != nullptr ? game->FindGlobalVar(name)
                                                       : game->CreateGlobalVar(name);
        else
            var = game->FindSaveVar(name) != nullptr ? game->FindSaveVar(name) : game->CreateSaveVar(name);
    }
    if (var == nullptr)
        return false;
    var->SetValue(tokens[2]);
    return true;
}

bool SetVar(Script* script, std::string arguments)
{
    if (script == nullptr)
        return false;
    const std::vector<std::string> tokens = SplitCommandLine(std::move(arguments));
    if (tokens.size() < 2)
        return false;
    ScriptVar* var = script->FindVar(tokens[0]);
    if (var == nullptr)
        return false;
    var->SetValue(tokens[1]);
    return true;
}

bool IfVar(Script* script, std::string arguments)
{
    if (script == nullptr)
        return false;
    const std::vector<std::string> tokens = SplitCommandLine(std::move(arguments));
    bool result = false;
    std::string connector;
    for (size_t at = 0; at + 3 <= tokens.size(); at += 3) {
        const bool condition = Evaluate(*script, tokens[at], tokens[at + 1], tokens[at + 2]);
        if (connector.empty() && at == 0) {
            result = condition;
        } else if (connector == "or") {
            result = result || condition;
        } else if (connector == "and") {
            if (!(result && condition)) {
                result = false;
                break;
            }
        }
        // Any other connector word leaves the result as it is.
        if (at + 3 < tokens.size()) {
            connector = ToLowerCase(tokens[at + 3]);
            ++at;
        }
    }
    script->PushResult(result);
    return true;
}

bool OpenBlock(Script* script, std::string arguments)
{
    if (script == nullptr || !SplitCommandLine(std::move(arguments)).empty() || script->GetResults().empty())
        return false;
    if (script->GetSkipDepth() > 0)
        script->SetSkipDepth(script->GetSkipDepth() + 1);
    else if (!script->GetResults().back())
        script->SetSkipDepth(1);
    return true;
}

bool CloseBlock(Script* script, std::string arguments)
{
    if (script == nullptr || !SplitCommandLine(std::move(arguments)).empty() || script->GetResults().empty())
        return false;
    if (script->GetSkipDepth() > 0)
        script->SetSkipDepth(script->GetSkipDepth() - 1);
    if (script->GetSkipDepth() == 0)
        script->PopResult();
    return true;
}

bool Else(Script* script, std::string arguments)
{
    if (script == nullptr || !SplitCommandLine(std::move(arguments)).empty())
        return false;
    script->PushResult(!script->GetLastResult());
    return true;
}

} // namespace ScriptVariableCommands
