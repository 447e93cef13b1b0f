#include "scene/SpacialInstance.h"

#include "scene/Level.h"

bool LevelHasCollisionWorld(Level* level)
{
    return level != nullptr && level->GetCollisionWorld() != nullptr;
}

void DestroyBodiesInLevel(Level* level, std::vector<b2Body*>& bodies, const void* owner)
{
    if (!LevelHasCollisionWorld(level))
        return;
    // Bodies of a world that was replaced since went with it.
    CollisionWorld* world = level->GetCollisionWorld();
    for (b2Body* body : bodies)
        world->DestroyBodyOf(body, owner);
    bodies.clear();
}

void RebindBodiesInLevel(
    Level* level, const std::vector<b2Body*>& bodies, SpacialInstance<GraphicalObject, float>* instance)
{
    if (!LevelHasCollisionWorld(level))
        return;
    CollisionWorld* world = level->GetCollisionWorld();
    for (b2Body* body : bodies)
        world->Rebind(body, instance);
}

void AssignSaveIndex(Level* level, SceneObjectInstance* payload)
{
    if (level != nullptr && payload != nullptr && payload->GetSaveIndex() == -1)
        payload->SetSaveIndex(level->TakeNextInstanceIndex());
}
