#include "script/Script.h"

#include "engine/platform/DebugOutput.h"

#include <cctype>
#include <utility>

namespace {

std::vector<ConsoleCommand>& CommandTable()
{
    static std::vector<ConsoleCommand> table;
    return table;
}

} // namespace

void Script::RegisterCommand(std::string name, ConsoleHandler handler, std::string help,
    std::vector<std::string> grammar, std::vector<std::string> defaults)
{
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    CommandTable().push_back(ConsoleCommand {
        std::move(name), std::move(handler), std::move(help), std::move(grammar), std::move(defaults)});
}

const std::vector<ConsoleCommand>& Script::GetCommands()
{
    return CommandTable();
}

void Script::ClearCommands()
{
    CommandTable().clear();
}

void RegisterScriptCommands()
{
    static const char* const names[] = {"Event_ShowDebugMessage", "Event_WaitTimer",
        "Event_StartDialogue_FromFile", "PauseGameplay", "IgnoreInputs", "EnableMinimap",
        "IncrementGameScore", "SendMessageTo", "Event_ChangeCameraTargetToPlayer",
        "Event_ChangeCameraTargetToLocator", "AskToChangeLevel", "Event_WaitMessage", "Event_ShakeCamera",
        "AddFullscreenParticles", "AddLocalParticles", "SetGraphical", "ChangeGraphicalOnLayer",
        "Event_WaitEndOfAnimation", "RefreshGraphicalCollision", "Event_ChangeNPCTargetToLocator",
        "SetLayerVisible", "PlayMusic", "StopMusic", "ChangeNPCRenderAfterPlayer", "AddSecretZone",
        "RemoveSecretZone", "UseParticleSystem", "PopPickupInTrigger", "ChangeFadeTimer", "ChangeFadeToBlack",
        "EnableWaterDisto", "ChangeStoryHintPosition", "SaveGame", "PreLoadGraphical", "PrepareSoundEvents",
        "PlaySoundEvent", "StopSoundEvent", "AddLayerInCinematic", "Event_RunPickupCinematic", "ShowEnding",
        "EndGame", "ForceToHideUI", "ChangeAchievementCurrentValue", "IncrementAchievementCurrentValue",
        "ForceMusicToRestartAtTime", "SetPlayerFullLife", "CreateVar", "SetVar", "IfVar", "(", ")", "Else"};
    for (const char* name : names) {
        const std::string commandName = name;
        // The script runner brings the real handlers; until then a script
        // line that reaches one is reported and does nothing.
        Script::RegisterCommand(commandName,
            [commandName](std::string) {
                platform::DebugOutput("Script command \"" + commandName + "\" is not available\n");
                return false;
            },
            "", {}, {});
    }
}
