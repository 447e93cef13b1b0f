#pragma once

#include "engine/serial/Point.h"
#include "engine/serial/TypeNames.h"
#include "scene/CollisionShape.h"
#include "scene/SceneObject.h"

#include <string>
#include <utility>
#include <vector>

class LocalParticleSystem;

// Base of the player, the enemies, the bosses and their projectiles: a scene
// object with a position, its collision shapes and a dead flag. Only what the
// game core and the collision code use is here yet.
class CharacterObject : public SceneObject {
public:
    explicit CharacterObject(std::string name = "")
        : SceneObject(std::move(name))
    {
        typeName = TypeNames::CharacterObject;
    }

    Point<float> GetPosition() const { return position; }
    void SetPosition(Point<float> p) { position = p; }

    Point<int> GetSize() const { return size; }
    void SetSize(int width, int height) { size = Point<int>(width, height); }

    // The character's boxes; the character does not own them here.
    std::vector<CollisionShape<int>*>& GetCollisionShape() { return collisionShapes; }

    virtual bool IsDead() { return dead; }
    // Acts once only.
    virtual void Die() { dead = true; }

    // A particle system bound to an event of every character of a class.
    struct ParticleSystemLink {
        std::string className;
        std::string eventName;
        LocalParticleSystem* system = nullptr;
    };
    static void LinkParticleSystem(std::string className, std::string eventName, LocalParticleSystem* system)
    {
        ParticleSystemLinks().push_back(
            ParticleSystemLink {std::move(className), std::move(eventName), system});
    }
    static std::vector<ParticleSystemLink>& ParticleSystemLinks()
    {
        static std::vector<ParticleSystemLink> links;
        return links;
    }

private:
    Point<float> position;
    Point<int> size;
    std::vector<CollisionShape<int>*> collisionShapes;
    bool dead = false;
};
