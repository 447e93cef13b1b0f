#include "game/ScriptGameCommands.h"
#include "script/BGEvent_DialogueManager.h"
#include "script/BGEvent_ShakeCamera.h"
#include "script/BGEvent_ShowText.h"
#include "script/BGEvent_Wait.h"
#include "script/BGEvent_WaitMessage.h"
#include "script/Script.h"
#include "script/ScriptCommandSupport.h"

namespace ScriptGameCommands {

using ScriptCommandSupport::QueueEvent;

bool ShowDebugMessage(Script& script, const Tokens& tokens)
{
    auto* event = new BGEvent_ShowText("ScriptEvent_BGEvent_ShowText", tokens[0]);
    if (QueueEvent(script, event, true) == nullptr)
        return false;
    event->StartFor(tokens.size() > 1 ? ScriptCommandSupport::Integer(tokens[1]) : 10);
    return true;
}

bool WaitTimer(Script& script, const Tokens& tokens)
{
    return QueueEvent(script,
               new BGEvent_Wait("ScriptEvent_BGEvent_Wait", ScriptCommandSupport::Integer(tokens[0])), true)
        != nullptr;
}

bool StartDialogueFromFile(Script& script, const Tokens& tokens)
{
    auto* event = new BGEvent_DialogueManager("ScriptEvent_BGEvent_DialogueManager");
    if (QueueEvent(script, event, true) == nullptr)
        return false;
    // A missing file or block is reported by the reader; the event then has
    // no lines and ends on its first tick.
    BGEvent_DialogueManager::LoadFromFile(event, tokens[0], ScriptCommandSupport::Integer(tokens[1]));
    return true;
}

bool WaitMessage(Script& script, const Tokens& tokens)
{
    return QueueEvent(script, new BGEvent_WaitMessage("ScriptEvent_BGEvent_WaitMessage", tokens[0]), true)
        != nullptr;
}

bool ShakeCamera(Script& script, const Tokens& tokens)
{
    auto real = [&tokens](size_t i) { return static_cast<float>(ScriptCommandSupport::Real(tokens[i])); };
    return QueueEvent(script,
               new BGEvent_ShakeCamera("ScriptEvent_BGEvent_ShakeCamera",
                   ScriptCommandSupport::Integer(tokens[0]), real(1), real(2), real(3), real(4)),
               true)
        != nullptr;
}

} // namespace ScriptGameCommands
