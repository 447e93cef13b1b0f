#include "fuzz/FuzzTarget.h"
#include "fuzz/FuzzWorld.h"
#include "script/Script.h"
#include "script/ScriptVar.h"
#include "script/ScriptVariableCommands.h"

#include <vector>

namespace {

// Puts only the commands that touch nothing outside the script and the
// game's variables in the table while the text runs (no files, no saves),
// and the game's own table back afterwards.
class VariableCommandsOnly {
public:
    VariableCommandsOnly()
        : saved(Script::GetCommands())
    {
        namespace V = ScriptVariableCommands;
        Script::ClearCommands();
        Script::RegisterCommand("CreateVar", V::CreateVar, "");
        Script::RegisterCommand("SetVar", V::SetVar, "");
        Script::RegisterCommand("IfVar", V::IfVar, "");
        Script::RegisterCommand("(", V::OpenBlock, "");
        Script::RegisterCommand(")", V::CloseBlock, "");
        Script::RegisterCommand("Else", V::Else, "");
    }
    ~VariableCommandsOnly()
    {
        Script::ClearCommands();
        for (const ScriptCommand& command : saved)
            Script::RegisterCommand(
                command.name, command.handler, command.help, command.grammar, command.defaults);
    }

private:
    std::vector<ScriptCommand> saved;
};

} // namespace

// Script text of a level or a trigger: split into lines, run in the section
// its first label names and at the empty label, a few frames each.
QUENHOLT_FUZZ_TARGET(script_text, fuzz::Reports::Nothing)
{
    Game& game = fuzz::GetFuzzWorld().game;
    VariableCommandsOnly commands;
    const size_t globals = game.globalVars.size();
    const size_t saves = game.saveVars.size();
    const std::string text = input.Text();
    for (const char* label : {"", ":OnEnter"}) {
        Script script("Fuzz");
        script.SetText(text);
        script.Start(label);
        for (int frame = 0; frame < 3 && !script.IsDone(); ++frame)
            script.Run();
        if (script.GetText().size() > text.size())
            return false;
    }
    // The variables the text made go, so runs do not pile them up.
    while (game.globalVars.size() > globals)
        game.DeleteGlobalVar(game.globalVars.back()->GetName());
    while (game.saveVars.size() > saves)
        game.DeleteSaveVar(game.saveVars.back()->GetName());
    return true;
}
