#include "scene/GameplayObject.h"

#include "engine/serial/TypeNames.h"

GameplayObject::GameplayObject(std::string name_)
    : GraphicalObject(std::move(name_))
{
    typeName = TypeNames::GameplayObject;
    category = "(game play)";
}

SceneObjectInstance* GameplayObject::CreateInstance()
{
    return nullptr;
}

bool GameplayObject::UpdateInstance(SpacialInstance<GraphicalObject, float>*)
{
    return true;
}

bool GameplayObject::UpdatePlayerContact(SpacialInstance<GraphicalObject, float>*)
{
    return true;
}
