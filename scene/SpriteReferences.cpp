#include "scene/SpriteReferences.h"

#include <string>

#include "engine/serial/LineReaders.h"
#include "game/Game.h"

Sprite* UnSerializeSpriteReference(std::istream& is)
{
    std::string name;
    ReadStringLine(is, name);
    return Game::FindSprite(name);
}

AnimatedSprite* UnSerializeAnimatedSpriteReference(std::istream& is)
{
    std::string name;
    ReadStringLine(is, name);
    return Game::FindAnimatedSprite(name);
}

bool WriteNullSceneObject(std::ostream& os)
{
    WriteLine(os, "SceneObjectNULL");
    return true;
}
