#pragma once

#include "engine/serial/Point.h"
#include "engine/serial/TypeNames.h"
#include "scene/CollisionShape.h"
#include "scene/SceneObject.h"

#include <string>
#include <utility>
#include <vector>

class LocalParticleSystem;
struct CollisionBodyRecord;

// Base of the player, the enemies, the bosses and their projectiles: a scene
// object with a position, its collision shapes and a dead flag. Only what the
// game core, the collision code and the camera use is here yet.
class CharacterObject : public SceneObject {
public:
    explicit CharacterObject(std::string name = "")
        : SceneObject(std::move(name))
    {
        typeName = TypeNames::CharacterObject;
    }

    Point<float> GetPosition() const { return position; }
    void SetPosition(Point<float> p) { position = p; }
    // Where the character stood on the frame before (the camera follows the
    // movement between the two).
    Point<float> GetPreviousPosition() const { return previousPosition; }
    void SetPreviousPosition(Point<float> p) { previousPosition = p; }

    Point<int> GetSize() const { return size; }
    void SetSize(int width, int height) { size = Point<int>(width, height); }
    // Position plus half the size.
    Point<float> GetCenter() const
    {
        return Point<float>(
            position.x + static_cast<float>(size.x) / 2.0f, position.y + static_cast<float>(size.y) / 2.0f);
    }

    // The current speed value and movement stage (4 jump, 5 end of jump,
    // 6 fall) that the camera's look-ahead reads.
    float GetSpeedValue() const { return speedValue; }
    void SetSpeedValue(float v) { speedValue = v; }
    int GetMoveState() const { return moveState; }
    void SetMoveState(int state) { moveState = state; }

    // The character's boxes; the character does not own them here.
    std::vector<CollisionShape<int>*>& GetCollisionShape() { return collisionShapes; }

    // The circle tested against collision lines: its centre relative to the
    // position, and its radius for a contact kind.
    Point<float> GetCircleCentre() const { return circleCentre; }
    float GetCircleRadius(int /*kind*/) const { return circleRadius; }
    void SetCircle(Point<float> centre, float radius)
    {
        circleCentre = centre;
        circleRadius = radius;
    }

    // The game's player character (platforms let it pass from below).
    bool IsPlayerCharacter() const { return isPlayer; }
    void SetPlayerCharacter(bool player) { isPlayer = player; }

    // The record of the collision fixture the last contact test kept.
    const CollisionBodyRecord* GetLastContact() const { return lastContact; }
    void SetLastContact(const CollisionBodyRecord* record) { lastContact = record; }

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
    Point<float> previousPosition;
    Point<int> size;
    float speedValue = 5.5f;
    int moveState = 0;
    std::vector<CollisionShape<int>*> collisionShapes;
    Point<float> circleCentre;
    float circleRadius = 0.0f;
    bool isPlayer = false;
    const CollisionBodyRecord* lastContact = nullptr;
    bool dead = false;
};
