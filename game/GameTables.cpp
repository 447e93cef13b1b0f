#include "game/DeleteTableEntry.h"
#include "game/Game.h"

#include "engine/sound/Sound.h"
#include "scene/AnimatedSprite.h"
#include "scene/GraphicalObject.h"
#include "scene/SceneObject.h"
#include "scene/Sprite.h"
#include "script/ScriptVar.h"

#include <iterator>

// The mechanical operations of the game's resource tables: entries by index,
// additions and removals.

namespace {

template <class T> T* EntryAt(const std::vector<T*>& table, size_t index)
{
    return index < table.size() ? table[index] : nullptr;
}

ScriptVar* VarAt(const std::vector<ScriptVar*>& table, int index)
{
    return index >= 0 ? EntryAt(table, static_cast<size_t>(index)) : nullptr;
}

} // namespace

Sprite* Game::GetSprite(size_t index) const
{
    return EntryAt(sprites, index);
}

Sound* Game::GetSound(size_t index) const
{
    return EntryAt(sounds, index);
}

AnimatedSprite* Game::GetAnimatedSprite(size_t index) const
{
    return EntryAt(animatedSprites, index);
}

SceneObject* Game::GetSceneObject(size_t index) const
{
    return EntryAt(sceneObjects, index);
}

ScriptVar* Game::GetSaveVar(int index) const
{
    return VarAt(saveVars, index);
}

ScriptVar* Game::GetGlobalVar(int index) const
{
    return VarAt(globalVars, index);
}

Sprite* Game::AddSprite(const std::string& name, const std::string& imageFile, int x0, int y0, int x1, int y1)
{
    sprites.push_back(new Sprite(name, imageFile, x0, y0, x1, y1));
    return sprites.back();
}

Sound* Game::AddSound(const std::string& name, const std::string& file)
{
    sounds.push_back(new Sound(name, file));
    return sounds.back();
}

void Game::RemoveSprite(size_t index)
{
    // The name index counts on a table that only grows: it starts afresh.
    if (libraryIndexes && index < sprites.size())
        libraryIndexes = std::make_unique<LibraryIndexes>();
    DeleteTableEntry(index, sprites);
}

void Game::RemoveSound(size_t index)
{
    DeleteTableEntry(index, sounds);
}

void Game::RemoveAnimatedSprite(size_t index)
{
    if (libraryIndexes && index < animatedSprites.size())
        libraryIndexes = std::make_unique<LibraryIndexes>();
    DeleteTableEntry(index, animatedSprites);
}

void Game::RemoveSceneObject(size_t index)
{
    SceneObject* object = GetSceneObject(index);
    if (auto* graphical = dynamic_cast<GraphicalObject*>(object)) {
        RemoveCharacterPrototype(graphical);
        std::erase_if(nameMap, [graphical](const auto& entry) { return entry.second == graphical; });
    }
    DeleteTableEntry(index, sceneObjects);
}
