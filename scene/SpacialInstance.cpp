#include "scene/SpacialInstance.h"

#include "scene/Level.h"

bool LevelHasCollisionWorld(Level* level) { return level != nullptr && level->GetCollisionWorld() != nullptr; }

void DestroyBodiesInLevel(Level* level, std::vector<b2Body*>& bodies)
{
    if (!LevelHasCollisionWorld(level))
        return;
    CollisionWorld* world = level->GetCollisionWorld();
    for (b2Body* body : bodies)
        world->DestroyBody(body);
    bodies.clear();
}
