#include "engine/app/NumberArguments.h"
#include "engine/app/SplitCommandLine.h"
#include "game/ScriptGameCommands.h"
#include "script/Script.h"
#include "script/ScriptCommandSupport.h"
#include "script/ScriptVariableCommands.h"

#include <cstddef>
#include <functional>

namespace {

using ScriptCommandSupport::Tokens;
using GameHandler = std::function<bool(Script&, const Tokens&)>;

// Wraps a game command: a null script, fewer tokens than it needs, or a
// number that is not finite or out of range fails before the command sees
// anything (the line's error says which number).
ScriptHandler Checked(size_t minTokens, GameHandler handler, bool freeText = false)
{
    return [minTokens, freeText, handler = std::move(handler)](Script* script, std::string arguments) {
        if (script == nullptr)
            return false;
        const Tokens tokens = SplitCommandLine(std::move(arguments));
        if (tokens.size() < minTokens)
            return false;
        if (!freeText) {
            if (std::string refused = FindRefusedNumber(tokens); !refused.empty()) {
                script->SetLineError(std::move(refused));
                return false;
            }
        }
        return handler(*script, tokens);
    };
}

// The commands whose arguments are a text to show, not values.
constexpr bool kFreeText = true;

struct Entry {
    const char* name;
    const char* help;
    ScriptHandler handler;
};

} // namespace

void RegisterScriptCommands()
{
    namespace G = ScriptGameCommands;
    namespace V = ScriptVariableCommands;
    const Entry entries[] = {
        {"Event_ShowDebugMessage", "Show a message if debug mode is on",
            Checked(1, G::ShowDebugMessage, kFreeText)},
        {"Event_WaitTimer", "Start a timer (in frame)", Checked(1, G::WaitTimer)},
        {"Event_StartDialogue_FromFile", "Show the dialogue manager", Checked(2, G::StartDialogueFromFile)},
        {"PauseGameplay", "Pause all gameplay object in the scene", Checked(1, G::PauseGameplay)},
        {"IgnoreInputs", "Ignore all inputs from users", Checked(1, G::IgnoreInputs)},
        {"EnableMinimap", "Enable the UI with Minimap", Checked(0, G::EnableMinimap)},
        {"IncrementGameScore", "Add 1 value to game score", Checked(0, G::IncrementGameScore)},
        {"SendMessageTo", "Send a string and arg to an object", Checked(2, G::SendMessageTo)},
        {"Event_ChangeCameraTargetToPlayer", "Change current focus on player",
            Checked(1, G::ChangeCameraTargetToPlayer)},
        {"Event_ChangeCameraTargetToLocator", "Change current focus to a specific object",
            Checked(2, G::ChangeCameraTargetToLocator)},
        {"AskToChangeLevel", "Ask the game to load a new level", Checked(2, G::AskToChangeLevel)},
        {"Event_WaitMessage", "Wait a specific message from scene objects", Checked(1, G::WaitMessage)},
        {"Event_ShakeCamera", "Shake active camera", Checked(5, G::ShakeCamera)},
        {"AddFullscreenParticles", "Put particles on screen", Checked(13, G::AddFullscreenParticles)},
        {"AddLocalParticles", "Put particles on scene", Checked(1, G::AddLocalParticles)},
        {"SetGraphical", "Change graphical on trigger", Checked(2, G::SetGraphical)},
        {"ChangeGraphicalOnLayer", "Change graphicals on layer", Checked(3, G::ChangeGraphicalOnLayer)},
        {"Event_WaitEndOfAnimation", "Wait the last animation frame of the current NPC graphical",
            Checked(1, G::WaitEndOfAnimation)},
        {"RefreshGraphicalCollision", "Update collision on trigger",
            Checked(1, G::RefreshGraphicalCollision)},
        {"Event_ChangeNPCTargetToLocator", "Force a character object to move to a locator with speed",
            Checked(3, G::ChangeNPCTargetToLocator)},
        {"SetLayerVisible", "Set layer visible state", Checked(2, G::SetLayerVisible)},
        {"PlayMusic", "Play a music", Checked(2, G::PlayMusic)},
        {"StopMusic", "Stop a music", Checked(1, G::StopMusic)},
        {"ChangeNPCRenderAfterPlayer", "Change NPC render pos", Checked(2, G::ChangeNPCRenderAfterPlayer)},
        {"AddSecretZone", "Add a trigger as secret zone", Checked(1, G::AddSecretZone)},
        {"RemoveSecretZone", "Remove trigger that has been dynamicaly used for secret zone",
            Checked(1, G::RemoveSecretZone)},
        {"UseParticleSystem", "Add particle system in NPC", Checked(2, G::UseParticleSystem)},
        {"PopPickupInTrigger", "Add item to pickup in specific trigger", Checked(2, G::PopPickupInTrigger)},
        {"ChangeFadeTimer", "Change fade timer delay", Checked(1, G::ChangeFadeTimer)},
        {"ChangeFadeToBlack", "Change fade to black", Checked(1, G::ChangeFadeToBlack)},
        {"EnableWaterDisto", "Enable water disto graphical effect", Checked(0, G::EnableWaterDisto)},
        {"ChangeStoryHintPosition", "Change the current story help hint location",
            Checked(2, G::ChangeStoryHintPosition)},
        {"SaveGame", "Save the game", Checked(2, G::SaveGame)},
        {"PreLoadGraphical", "Add Go on list to preload", Checked(1, G::PreLoadGraphical)},
        {"PrepareSoundEvents", "Load events to NPC", Checked(2, G::PrepareSoundEvents)},
        {"PlaySoundEvent", "Play event to NPC", Checked(2, G::PlaySoundEvent)},
        {"StopSoundEvent", "Stop event to NPC", Checked(2, G::StopSoundEvent)},
        {"AddLayerInCinematic", "Add a layer in cinematic list", Checked(2, G::AddLayerInCinematic)},
        {"Event_RunPickupCinematic", "Run cinematic pickup", Checked(1, G::RunPickupCinematic)},
        {"ShowEnding", "Show end UI", Checked(1, G::ShowEnding)},
        {"EndGame", "End the Game", Checked(0, G::EndGame)},
        {"ForceToHideUI", "Show or Hide UI", Checked(1, G::ForceToHideUI)},
        {"ChangeAchievementCurrentValue", "Change an achivement value",
            Checked(2, G::ChangeAchievementCurrentValue)},
        {"IncrementAchievementCurrentValue", "Increment an achivement value",
            Checked(1, G::IncrementAchievementCurrentValue)},
        {"ForceMusicToRestartAtTime", "Force the music to reset a this value next time",
            Checked(2, G::ForceMusicToRestartAtTime)},
        {"SetPlayerFullLife", "Set life at maximum for player", Checked(0, G::SetPlayerFullLife)},
        {"CreateVar", "Create a new variable if it doesnt exist", V::CreateVar},
        {"SetVar", "Set the value of a variable if it exists", V::SetVar},
        {"IfVar", "If", V::IfVar},
        {"(", "(", V::OpenBlock},
        {")", ")", V::CloseBlock},
        {"Else", "Else", V::Else},
    };
    for (const Entry& entry : entries)
        Script::RegisterCommand(entry.name, entry.handler, entry.help);
}
