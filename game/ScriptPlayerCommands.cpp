#include "characters/CharacterObject.h"
#include "characters/Player.h"
#include "game/Game.h"
#include "game/ScriptGameCommands.h"
#include "script/Script.h"
#include "script/ScriptCommandSupport.h"

#include <algorithm>

// The script commands that act on the player, the score, the story hint and
// the save slot.
namespace ScriptGameCommands {

namespace {

Player* ThePlayer()
{
    Game* game = Game::GetInstance();
    return game != nullptr ? game->GetPlayer() : nullptr;
}

std::vector<CharacterObject*> CharactersNamed(const std::string& name)
{
    Game* game = Game::GetInstance();
    return game != nullptr ? game->FindCharactersByName(name, nullptr, false)
                           : std::vector<CharacterObject*>();
}

} // namespace

bool IgnoreInputs(Script&, const Tokens& tokens)
{
    Player* player = ThePlayer();
    if (player == nullptr)
        return false;
    if (!ScriptCommandSupport::FlagNotZero(tokens[0])) {
        player->SetInputLocked(false);
        return true;
    }
    player->SetInputLocked(true);
    // Whatever the player was steering stops; a jump turns into a fall.
    player->SetDirection(Point<float>(0.0f, player->GetDirection().y));
    if (player->GetMoveState() == Player::kJump || player->GetMoveState() == Player::kEndJump)
        player->SetMoveStateValue(Player::kFall);
    return true;
}

bool EnableMinimap(Script&, const Tokens&)
{
    Player* player = ThePlayer();
    if (player == nullptr)
        return false;
    player->minimapEnabled = true;
    return true;
}

bool IncrementGameScore(Script&, const Tokens&)
{
    Game* game = Game::GetInstance();
    if (game == nullptr)
        return false;
    game->IncrementGameScore(game->saveData);
    return true;
}

bool AddSecretZone(Script&, const Tokens& tokens)
{
    Player* player = ThePlayer();
    if (player == nullptr)
        return false;
    for (CharacterObject* character : CharactersNamed(tokens[0]))
        player->targetCharacters.push_back(character);
    return true;
}

bool RemoveSecretZone(Script&, const Tokens& tokens)
{
    Player* player = ThePlayer();
    if (player == nullptr)
        return false;
    for (CharacterObject* character : CharactersNamed(tokens[0]))
        std::erase(player->targetCharacters, character);
    return true;
}

bool ChangeStoryHintPosition(Script&, const Tokens& tokens)
{
    Game* game = Game::GetInstance();
    if (game == nullptr)
        return false;
    game->storyHintPosition
        = {ScriptCommandSupport::Integer(tokens[0]), ScriptCommandSupport::Integer(tokens[1])};
    return true;
}

bool SaveGame(Script&, const Tokens& tokens)
{
    Game* game = Game::GetInstance();
    CharacterObject* marker = game != nullptr ? game->FindCharacterByName(tokens[1], nullptr) : nullptr;
    if (marker == nullptr)
        return false;
    const Point<float> at = marker->GetPosition();
    // A save that could not be written (no slot chosen, no file) is the
    // script's error, not a quiet success.
    return game->SaveGameAt(at.x, at.y, ScriptCommandSupport::Integer(tokens[0]));
}

} // namespace ScriptGameCommands
