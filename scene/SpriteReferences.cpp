#include "scene/SpriteReferences.h"

#include <string>

#include "engine/serial/LineReaders.h"
#include "game/Game.h"

Sprite* UnSerializeSpriteReference(std::istream& is)
{
    std::string name;
    return ReadTextLine(is, name) ? Game::FindSprite(name) : nullptr;
}

AnimatedSprite* UnSerializeAnimatedSpriteReference(std::istream& is)
{
    std::string name;
    return ReadTextLine(is, name) ? Game::FindAnimatedSprite(name) : nullptr;
}

Sprite* FindLibrarySprite(const std::string& name)
{
    return Game::FindSprite(name);
}

AnimatedSprite* FindLibraryAnimatedSprite(const std::string& name)
{
    return Game::FindAnimatedSprite(name);
}

bool WriteNullSceneObject(std::ostream& os)
{
    WriteLine(os, "SceneObjectNULL");
    return true;
}
