#include "characters/CharacterObject.h"
#include "engine/platform/Paths.h"
#include "engine/sound/DXSoundEngine.h"
#include "engine/sound/MusicLibrary.h"
#include "engine/sound/StreamingVoiceContext.h"
#include "game/AchievementManager.h"
#include "game/Game.h"
#include "game/ScriptGameCommands.h"
#include "script/Script.h"
#include "script/ScriptCommandSupport.h"

#include <sstream>

namespace ScriptGameCommands {

namespace {

void StartMusic(const std::string& track, bool crossfade, int skipResume, double start)
{
    Game* game = Game::GetInstance();
    auto* engine = game != nullptr ? dynamic_cast<DXSoundEngine*>(game->GetSoundEngine()) : nullptr;
    if (engine != nullptr)
        PlayStreamedMusic(engine, track, crossfade, skipResume != 0, start);
}

std::vector<CharacterObject*> CharactersNamed(const std::string& name)
{
    Game* game = Game::GetInstance();
    return game != nullptr ? game->FindCharactersByName(name, nullptr, false)
                           : std::vector<CharacterObject*>();
}

} // namespace

bool PlayMusic(Script& script, const Tokens& tokens)
{
    // A level's script names no file outside the music folder: refused
    // unopened.
    if (!platform::IsNameInsideFolder(tokens[0])) {
        script.SetLineError("the music name \"" + tokens[0]
            + "\" is refused: music named by a script is a file of the music folder");
        return false;
    }
    StartMusic(tokens[0], tokens[1] == "1", tokens.size() > 2 ? ScriptCommandSupport::Integer(tokens[2]) : 0,
        tokens.size() > 3 ? ScriptCommandSupport::Real(tokens[3]) : 0.0);
    return true;
}

bool StopMusic(Script&, const Tokens& tokens)
{
    StartMusic("", tokens[0] == "1", 0, 0.0);
    return true;
}

bool ForceMusicToRestartAtTime(Script&, const Tokens& tokens)
{
    Game* game = Game::GetInstance();
    MusicTrack* track = game != nullptr ? game->GetMusicLibrary()->Find(tokens[0]) : nullptr;
    if (track != nullptr)
        track->resumePosition = static_cast<int64_t>(ScriptCommandSupport::Real(tokens[1]));
    return true;
}

bool PrepareSoundEvents(Script&, const Tokens& tokens)
{
    for (CharacterObject* character : CharactersNamed(tokens[0])) {
        std::istringstream events(tokens[1]);
        std::string event;
        while (std::getline(events, event, ','))
            character->DeclareSound(event);
        character->LoadSounds();
    }
    return true;
}

bool PlaySoundEvent(Script&, const Tokens& tokens)
{
    for (CharacterObject* character : CharactersNamed(tokens[0]))
        character->PlaySound(tokens[1]);
    return true;
}

bool StopSoundEvent(Script&, const Tokens& tokens)
{
    for (CharacterObject* character : CharactersNamed(tokens[0]))
        character->StopSound(tokens[1]);
    return true;
}

bool ChangeAchievementCurrentValue(Script&, const Tokens& tokens)
{
    Game* game = Game::GetInstance();
    Achievement* achievement = game != nullptr ? game->GetAchievements().FindByName(tokens[0]) : nullptr;
    if (achievement != nullptr)
        achievement->SetCurrent(ScriptCommandSupport::Integer(tokens[1]));
    return true;
}

bool IncrementAchievementCurrentValue(Script&, const Tokens& tokens)
{
    Game* game = Game::GetInstance();
    Achievement* achievement = game != nullptr ? game->GetAchievements().FindByName(tokens[0]) : nullptr;
    if (achievement != nullptr)
        achievement->Increment();
    return true;
}

bool PauseGameplay(Script&, const Tokens& tokens)
{
    Game* game = Game::GetInstance();
    if (game == nullptr)
        return false;
    game->gameplayPaused = tokens[0] != "0";
    return true;
}

bool AskToChangeLevel(Script& script, const Tokens& tokens)
{
    Game* game = Game::GetInstance();
    if (game == nullptr)
        return false;
    // A level's script, perhaps made by someone else, names a file of the
    // level folder only: refused here, where the line can say so.
    if (!Game::IsPlainLevelName(tokens[0])) {
        script.SetLineError("the level name \"" + tokens[0]
            + "\" is refused: a level named by a script is a file of the level folder");
        return false;
    }
    // The level changes at the game's next update.
    game->RequestLevelChange(tokens[0], tokens[1]);
    return true;
}

} // namespace ScriptGameCommands
