#include "engine/app/NumberArguments.h"
#include "engine/app/SplitCommandLine.h"
#include "game/ScriptGameCommands.h"
#include "script/Script.h"
#include "script/ScriptCommandSupport.h"
#include "script/ScriptVariableCommands.h"

#include <cstddef>
#include <functional>
#include <limits>
#include <vector>

namespace {

using ScriptCommandSupport::Tokens;
using GameHandler = std::function<bool(Script&, const Tokens&)>;

// One argument the command reads as a number (atoi or atof), with the range
// of the field it sets. The other arguments are names, texts and flags, used
// as written.
struct NumberField {
    size_t index;
    double minimum;
    double maximum;
};
using NumberFields = std::vector<NumberField>;

constexpr double kIntMin = std::numeric_limits<int32_t>::min();
constexpr double kIntMax = std::numeric_limits<int32_t>::max();
constexpr double kFloatMax = std::numeric_limits<float>::max();

// A whole int32 field (a mode, a list, a gap, a coordinate).
NumberField Int(size_t index)
{
    return {index, kIntMin, kIntMax};
}
// A count of frames or things: none below 0.
NumberField Count(size_t index)
{
    return {index, 0.0, kIntMax};
}
// A float field (a speed, a shake's amplitude, a particle parameter).
NumberField Real(size_t index)
{
    return {index, -kFloatMax, kFloatMax};
}
// A float duration: none below 0.
NumberField Duration(size_t index)
{
    return {index, 0.0, kFloatMax};
}

// Wraps a game command: a null script, fewer tokens than it needs, or one of
// its number arguments malformed or outside its field fails before the
// command sees anything (the line's error says which number). An optional
// number argument is checked when it is given.
ScriptHandler Checked(size_t minTokens, GameHandler handler, NumberFields numbers = {})
{
    return [minTokens, numbers = std::move(numbers), handler = std::move(handler)](
               Script* script, std::string arguments) {
        if (script == nullptr)
            return false;
        const Tokens tokens = SplitCommandLine(std::move(arguments));
        if (tokens.size() < minTokens)
            return false;
        ArgumentNumbers read;
        for (const NumberField& field : numbers) {
            double value = 0.0;
            if (field.index < tokens.size())
                read.Double(tokens[field.index], field.minimum, field.maximum, value);
        }
        if (!read.Ok()) {
            script->SetLineError(read.Error());
            return false;
        }
        return handler(*script, tokens);
    };
}

// A music track's saved play position, in sample frames (-1 forgets it once).
const NumberField kMusicPosition {1, -1.0, 9.0e18};

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
            Checked(1, G::ShowDebugMessage, {Count(1)})},
        {"Event_WaitTimer", "Start a timer (in frame)", Checked(1, G::WaitTimer, {Count(0)})},
        {"Event_StartDialogue_FromFile", "Show the dialogue manager",
            Checked(2, G::StartDialogueFromFile, {Int(1)})},
        {"PauseGameplay", "Pause all gameplay object in the scene", Checked(1, G::PauseGameplay)},
        {"IgnoreInputs", "Ignore all inputs from users", Checked(1, G::IgnoreInputs)},
        {"EnableMinimap", "Enable the UI with Minimap", Checked(0, G::EnableMinimap)},
        {"IncrementGameScore", "Add 1 value to game score", Checked(0, G::IncrementGameScore)},
        {"SendMessageTo", "Send a string and arg to an object", Checked(2, G::SendMessageTo)},
        {"Event_ChangeCameraTargetToPlayer", "Change current focus on player",
            Checked(1, G::ChangeCameraTargetToPlayer, {Real(0)})},
        {"Event_ChangeCameraTargetToLocator", "Change current focus to a specific object",
            Checked(2, G::ChangeCameraTargetToLocator, {Real(1)})},
        {"AskToChangeLevel", "Ask the game to load a new level", Checked(2, G::AskToChangeLevel)},
        {"Event_WaitMessage", "Wait a specific message from scene objects", Checked(1, G::WaitMessage)},
        {"Event_ShakeCamera", "Shake active camera",
            Checked(5, G::ShakeCamera, {Count(0), Real(1), Real(2), Real(3), Real(4)})},
        {"AddFullscreenParticles", "Put particles on screen",
            Checked(13, G::AddFullscreenParticles,
                {Int(1), Int(2), Real(4), Real(5), Real(6), Real(7), Real(8), Real(9), Real(10), Real(11)})},
        {"AddLocalParticles", "Put particles on scene", Checked(1, G::AddLocalParticles)},
        {"SetGraphical", "Change graphical on trigger", Checked(2, G::SetGraphical)},
        {"ChangeGraphicalOnLayer", "Change graphicals on layer", Checked(3, G::ChangeGraphicalOnLayer)},
        {"Event_WaitEndOfAnimation", "Wait the last animation frame of the current NPC graphical",
            Checked(1, G::WaitEndOfAnimation)},
        {"RefreshGraphicalCollision", "Update collision on trigger",
            Checked(1, G::RefreshGraphicalCollision)},
        {"Event_ChangeNPCTargetToLocator", "Force a character object to move to a locator with speed",
            Checked(3, G::ChangeNPCTargetToLocator, {Real(2)})},
        {"SetLayerVisible", "Set layer visible state", Checked(2, G::SetLayerVisible)},
        {"PlayMusic", "Play a music", Checked(2, G::PlayMusic, {Int(2), {3, 0.0, kFloatMax}})},
        {"StopMusic", "Stop a music", Checked(1, G::StopMusic)},
        {"ChangeNPCRenderAfterPlayer", "Change NPC render pos", Checked(2, G::ChangeNPCRenderAfterPlayer)},
        {"AddSecretZone", "Add a trigger as secret zone", Checked(1, G::AddSecretZone)},
        {"RemoveSecretZone", "Remove trigger that has been dynamicaly used for secret zone",
            Checked(1, G::RemoveSecretZone)},
        {"UseParticleSystem", "Add particle system in NPC", Checked(2, G::UseParticleSystem)},
        {"PopPickupInTrigger", "Add item to pickup in specific trigger",
            Checked(2, G::PopPickupInTrigger, {Count(1)})},
        {"ChangeFadeTimer", "Change fade timer delay", Checked(1, G::ChangeFadeTimer, {Duration(0)})},
        {"ChangeFadeToBlack", "Change fade to black", Checked(1, G::ChangeFadeToBlack, {Duration(0)})},
        {"EnableWaterDisto", "Enable water disto graphical effect", Checked(0, G::EnableWaterDisto)},
        {"ChangeStoryHintPosition", "Change the current story help hint location",
            Checked(2, G::ChangeStoryHintPosition, {Int(0), Int(1)})},
        {"SaveGame", "Save the game", Checked(2, G::SaveGame, {Int(0)})},
        {"PreLoadGraphical", "Add Go on list to preload", Checked(1, G::PreLoadGraphical)},
        {"PrepareSoundEvents", "Load events to NPC", Checked(2, G::PrepareSoundEvents)},
        {"PlaySoundEvent", "Play event to NPC", Checked(2, G::PlaySoundEvent)},
        {"StopSoundEvent", "Stop event to NPC", Checked(2, G::StopSoundEvent)},
        {"AddLayerInCinematic", "Add a layer in cinematic list",
            Checked(2, G::AddLayerInCinematic, {Int(0)})},
        {"Event_RunPickupCinematic", "Run cinematic pickup", Checked(1, G::RunPickupCinematic, {Int(0)})},
        {"ShowEnding", "Show end UI", Checked(1, G::ShowEnding, {Int(0)})},
        {"EndGame", "End the Game", Checked(0, G::EndGame)},
        {"ForceToHideUI", "Show or Hide UI", Checked(1, G::ForceToHideUI)},
        {"ChangeAchievementCurrentValue", "Change an achivement value",
            Checked(2, G::ChangeAchievementCurrentValue, {Int(1)})},
        {"IncrementAchievementCurrentValue", "Increment an achivement value",
            Checked(1, G::IncrementAchievementCurrentValue)},
        {"ForceMusicToRestartAtTime", "Force the music to reset a this value next time",
            Checked(2, G::ForceMusicToRestartAtTime, {kMusicPosition})},
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
