#include "game/Game.h"

#include "characters/CharacterObject.h"
#include "characters/LocalParticleSystem.h"
#include "characters/Player.h"
#include "engine/sound/Sound.h"
#include "scene/AnimatedSprite.h"
#include "scene/GraphicalObject.h"
#include "scene/SceneObject.h"
#include "scene/Sprite.h"
#include "script/ScriptVar.h"
#include "ui/UI_Font.h"

#include <algorithm>
#include <cctype>

namespace {

// The first entry of exactly that name; null entries are passed over.
template <class T> T* FindByName(const std::vector<T*>& table, const std::string& name)
{
    for (T* entry : table) {
        if (entry != nullptr && entry->GetName() == name)
            return entry;
    }
    return nullptr;
}

std::string ToLower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

ScriptVar* CreateVar(std::vector<ScriptVar*>& table, const std::string& name)
{
    if (FindByName(table, ToLower(name)) != nullptr)
        return nullptr;
    table.push_back(new ScriptVar(ToLower(name)));
    return table.back();
}

void DeleteVars(std::vector<ScriptVar*>& table, const std::string& name)
{
    const std::string lower = ToLower(name);
    std::erase_if(table, [&lower](ScriptVar* var) {
        if (var == nullptr || var->GetName() != lower)
            return false;
        delete var;
        return true;
    });
}

} // namespace

bool Game::IsCharacterName(const std::string& name)
{
    return name.rfind("NPC", 0) == 0 || name.rfind("Proj", 0) == 0;
}

Sprite* Game::FindSprite(const std::string& name)
{
    Game* game = GetInstance();
    if (game != nullptr && game->libraryIndexes)
        return game->libraryIndexes->sprites.Find(game->sprites, name);
    return game != nullptr ? FindByName(game->sprites, name) : nullptr;
}

AnimatedSprite* Game::FindAnimatedSprite(const std::string& name)
{
    Game* game = GetInstance();
    if (game != nullptr && game->libraryIndexes)
        return game->libraryIndexes->animatedSprites.Find(game->animatedSprites, name);
    return game != nullptr ? FindByName(game->animatedSprites, name) : nullptr;
}

Sound* Game::FindSound(const std::string& name)
{
    Game* game = GetInstance();
    return game != nullptr ? FindByName(game->sounds, name) : nullptr;
}

UI_Font* Game::FindFont(const std::string& name, Game* game)
{
    return game != nullptr ? FindByName(game->fonts, name) : nullptr;
}

LocalParticleSystem* Game::FindLocalParticleSystem(const std::string& name)
{
    Game* game = GetInstance();
    return game != nullptr ? FindByName(game->localParticleSystems, name) : nullptr;
}

GraphicalObject* Game::FindCharacterPrototype(const std::string& name, bool clone)
{
    Game* game = GetInstance();
    if (game == nullptr || !IsCharacterName(name))
        return nullptr;
    GraphicalObject* found = FindByName(game->characterPrototypes, name);
    if (found != nullptr && clone)
        return static_cast<GraphicalObject*>(found->Clone(true));
    return found;
}

std::vector<GraphicalObject*> Game::FindCharacterPrototypes(const std::string& text, bool clone)
{
    std::vector<GraphicalObject*> found;
    Game* game = GetInstance();
    if (game == nullptr)
        return found;
    for (GraphicalObject* prototype : game->characterPrototypes) {
        if (prototype != nullptr && prototype->GetName().find(text) != std::string::npos)
            found.push_back(clone ? static_cast<GraphicalObject*>(prototype->Clone(true)) : prototype);
    }
    return found;
}

SceneObject* Game::FindSceneObject(const std::string& name, bool clone)
{
    Game* game = GetInstance();
    if (game == nullptr)
        return nullptr;
    if (GraphicalObject* prototype = FindCharacterPrototype(name, clone))
        return prototype;
    SceneObject* found = FindByName(game->sceneObjects, name);
    if (found != nullptr && clone)
        return found->Clone(true);
    return found;
}

GraphicalObject* Game::FindGraphicalObject(const std::string& name, bool clone)
{
    if (GraphicalObject* prototype = FindCharacterPrototype(name, clone))
        return prototype;
    if (auto mapped = nameMap.find(name); mapped != nameMap.end()) {
        GraphicalObject* object = mapped->second;
        if (object != nullptr && clone)
            return static_cast<GraphicalObject*>(object->Clone(true));
        return object;
    }
    for (SceneObject* object : sceneObjects) {
        auto* graphical = dynamic_cast<GraphicalObject*>(object);
        if (graphical != nullptr && graphical->GetName() == name)
            return clone ? static_cast<GraphicalObject*>(graphical->Clone(true)) : graphical;
    }
    return nullptr;
}

void Game::AddCharacterPrototype(GraphicalObject* object)
{
    if (Game* game = GetInstance(); game != nullptr && object != nullptr)
        game->characterPrototypes.push_back(object);
}

void Game::RemoveCharacterPrototype(GraphicalObject* object)
{
    // Every entry: an object read twice was listed twice, and a deleted
    // object must leave no entry behind.
    if (Game* game = GetInstance())
        std::erase(game->characterPrototypes, object);
}

CharacterObject* Game::GetCharacter(size_t index) const
{
    return index < liveCharacters.size() ? liveCharacters[index] : nullptr;
}

CharacterObject* Game::FindCharacterByName(const std::string& name, const CharacterObject* leaveOut) const
{
    for (CharacterObject* character : liveCharacters) {
        if (character != nullptr && character != leaveOut && character->GetName() == name)
            return character;
    }
    return nullptr;
}

std::vector<CharacterObject*> Game::FindCharactersByName(
    const std::string& name, const CharacterObject* leaveOut, bool skipDead) const
{
    std::vector<CharacterObject*> found;
    for (CharacterObject* character : liveCharacters) {
        if (character == nullptr || character == leaveOut || character->GetName() != name)
            continue;
        if (skipDead && character->IsDead())
            continue;
        found.push_back(character);
    }
    return found;
}

bool Game::IsLiveCharacter(const CharacterObject* character, const std::string& name) const
{
    // The pointer first: a kept pointer is asked about every frame, and only
    // a character still in the list has its name read.
    return liveCharacters.Contains(character) && character->GetName() == name;
}

void Game::DeleteCharacter(CharacterObject* character)
{
    if (!liveCharacters.Remove(character))
        return;
    ForgetCharacter(character);
    delete character;
}

void Game::ForgetCharacter(CharacterObject* character)
{
    if (player != nullptr)
        std::erase(player->targetCharacters, character);
    // A character that goes leaves no owner link behind: a part whose boss
    // was removed before it must not report to a freed boss when it dies.
    // Only a character that was made some other's owner is looked for.
    if (character == nullptr || !character->HasBeenOwner())
        return;
    for (CharacterObject* other : liveCharacters)
        if (other != nullptr && other->GetOwner() == character)
            other->SetOwner(nullptr);
}

ScriptVar* Game::FindSaveVar(const std::string& name)
{
    Game* game = GetInstance();
    return game != nullptr ? FindByName(game->saveVars, ToLower(name)) : nullptr;
}

ScriptVar* Game::FindGlobalVar(const std::string& name)
{
    Game* game = GetInstance();
    return game != nullptr ? FindByName(game->globalVars, ToLower(name)) : nullptr;
}

ScriptVar* Game::CreateSaveVar(const std::string& name)
{
    return CreateVar(saveVars, name);
}

ScriptVar* Game::CreateGlobalVar(const std::string& name)
{
    return CreateVar(globalVars, name);
}

void Game::DeleteSaveVar(const std::string& name)
{
    DeleteVars(saveVars, name);
}

void Game::DeleteGlobalVar(const std::string& name)
{
    DeleteVars(globalVars, name);
}
