#include "engine/app/NumberArguments.h"
#include "engine/app/SplitCommandLine.h"
#include "engine/serial/LineReaders.h"
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

// One argument the command reads as a number, with the range its code can
// use. An integer (atoi) is integer text only: a token atoi would read only
// in part ("1e2", "2.5") is refused as a malformed one is. The other
// arguments are names, texts and flags, used as written.
struct NumberField {
    size_t index;
    bool integer;
    double minimum;
    double maximum;
};
using NumberFields = std::vector<NumberField>;

constexpr double kIntMin = std::numeric_limits<int32_t>::min();
constexpr double kIntMax = std::numeric_limits<int32_t>::max();
constexpr double kFloatMax = std::numeric_limits<float>::max();
constexpr double kPixels = kMaxCoordinate;

// A whole int32 field (a mode, a list, a value).
NumberField Int(size_t index)
{
    return {index, true, kIntMin, kIntMax};
}
// A count of frames or things: none below 0.
NumberField Count(size_t index)
{
    return {index, true, 0.0, kIntMax};
}
// A float duration or camera speed: none below 0 (a camera sent at a
// negative speed runs away from its target for ever).
NumberField Duration(size_t index)
{
    return {index, false, 0.0, kFloatMax};
}
// A float that becomes a place on the level (a shake's amplitude, the wind
// and wander of particles): within the coordinates a level may hold, so
// that it and the sums it enters stay within an int.
NumberField Pixels(size_t index)
{
    return {index, false, -kPixels, kPixels};
}
// A character's speed in tiles per second: a step of one frame stays within
// the level's coordinates, and the character goes toward its target.
NumberField Speed(size_t index)
{
    return {index, false, 0.0, kPixels};
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
        const bool emptyToken = arguments.find("\"\"") != std::string::npos;
        const Tokens tokens = SplitCommandLine(std::move(arguments));
        if (tokens.size() < minTokens) {
            // An empty name ("") is no token: say so rather than count.
            script->SetLineError(emptyToken ? std::string("a name is empty (\"\")")
                                            : "expected at least " + std::to_string(minTokens)
                        + " arguments, found " + std::to_string(tokens.size()));
            return false;
        }
        ArgumentNumbers read;
        for (const NumberField& field : numbers) {
            if (field.index >= tokens.size())
                continue;
            double real = 0.0;
            int32_t whole = 0;
            if (field.integer)
                read.Int(tokens[field.index], static_cast<int32_t>(field.minimum),
                    static_cast<int32_t>(field.maximum), whole);
            else
                read.Double(tokens[field.index], field.minimum, field.maximum, real);
        }
        if (!read.Ok()) {
            script->SetLineError(read.Error());
            return false;
        }
        return handler(*script, tokens);
    };
}

// A music track's saved play position, in sample frames (-1 forgets it once).
const NumberField kMusicPosition {1, false, -1.0, 9.0e18};

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
            Checked(1, G::ChangeCameraTargetToPlayer, {Duration(0)})},
        {"Event_ChangeCameraTargetToLocator", "Change current focus to a specific object",
            Checked(2, G::ChangeCameraTargetToLocator, {Duration(1)})},
        {"AskToChangeLevel", "Ask the game to load a new level", Checked(2, G::AskToChangeLevel)},
        {"Event_WaitMessage", "Wait a specific message from scene objects", Checked(1, G::WaitMessage)},
        {"Event_ShakeCamera", "Shake active camera",
            Checked(5, G::ShakeCamera, {Count(0), Pixels(1), Pixels(2), Pixels(3), Pixels(4)})},
        {"AddFullscreenParticles", "Put particles on screen",
            Checked(13, G::AddFullscreenParticles,
                {Int(1), Int(2), Pixels(4), Pixels(5), Pixels(6), Pixels(7), Pixels(8), Pixels(9), Pixels(10),
                    Pixels(11)})},
        {"AddLocalParticles", "Put particles on scene", Checked(1, G::AddLocalParticles)},
        {"SetGraphical", "Change graphical on trigger", Checked(2, G::SetGraphical)},
        {"ChangeGraphicalOnLayer", "Change graphicals on layer", Checked(3, G::ChangeGraphicalOnLayer)},
        {"Event_WaitEndOfAnimation", "Wait the last animation frame of the current NPC graphical",
            Checked(1, G::WaitEndOfAnimation)},
        {"RefreshGraphicalCollision", "Update collision on trigger",
            Checked(1, G::RefreshGraphicalCollision)},
        {"Event_ChangeNPCTargetToLocator", "Force a character object to move to a locator with speed",
            Checked(3, G::ChangeNPCTargetToLocator, {Speed(2)})},
        {"SetLayerVisible", "Set layer visible state", Checked(2, G::SetLayerVisible)},
        {"PlayMusic", "Play a music", Checked(2, G::PlayMusic, {Int(2), Duration(3)})},
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
