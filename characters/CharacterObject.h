#pragma once

#include "engine/serial/Point.h"
#include "scene/CollisionShape.h"

#include <vector>

// Stand-in for the character base of the player, enemies and projectiles:
// only what the collision tests read of a character (its position and its
// list of collision shapes). The full class replaces this file.
class CharacterObject {
public:
    virtual ~CharacterObject() = default;

    Point<float> GetPosition() const { return position; }
    void SetPosition(Point<float> p) { position = p; }

    // The character's boxes; the character does not own them here.
    std::vector<CollisionShape<int>*>& GetCollisionShape() { return collisionShapes; }

private:
    Point<float> position;
    std::vector<CollisionShape<int>*> collisionShapes;
};
