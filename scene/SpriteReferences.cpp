#include "scene/SpriteReferences.h"

#include <string>

#include "engine/serial/LineReaders.h"
#include "scene/SceneGameAccess.h"

Sprite* UnSerializeSpriteReference(std::istream& is)
{
    std::string name;
    return ReadTextLine(is, name) ? FindLibrarySprite(name) : nullptr;
}

AnimatedSprite* UnSerializeAnimatedSpriteReference(std::istream& is)
{
    std::string name;
    return ReadTextLine(is, name) ? FindLibraryAnimatedSprite(name) : nullptr;
}

Sprite* FindLibrarySprite(const std::string& name)
{
    SceneGameAccess* game = GetSceneGameAccess();
    return game != nullptr ? game->FindSprite(name) : nullptr;
}

AnimatedSprite* FindLibraryAnimatedSprite(const std::string& name)
{
    SceneGameAccess* game = GetSceneGameAccess();
    return game != nullptr ? game->FindAnimatedSprite(name) : nullptr;
}

bool WriteNullSceneObject(std::ostream& os)
{
    WriteLine(os, "SceneObjectNULL");
    return true;
}
