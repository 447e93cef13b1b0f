#pragma once

#include "engine/serial/Point.h"
#include "engine/serial/Rect.h"
#include "engine/serial/TypeNames.h"
#include "scene/CollisionShape.h"
#include "scene/SceneObject.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class GraphicalObject;
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

    virtual void SetPosition(Point<float> p) { position = p; }
    virtual Point<float> GetPosition() const { return position; }
    // Where the character stood on the frame before (the camera follows the
    // movement between the two).
    virtual Point<float> GetPreviousPosition() const { return previousPosition; }
    virtual void SetPreviousPosition(float x, float y) { previousPosition = Point<float>(x, y); }
    void SetPreviousPosition(Point<float> p) { SetPreviousPosition(p.x, p.y); }

    virtual Point<int> GetSize() const { return size; }
    virtual void SetSize(int width, int height) { size = Point<int>(width, height); }

    // The current speed value and move state (4 jump, 5 end of jump, 6 fall)
    // that the camera's look-ahead reads.
    virtual float GetSpeedValue() const { return speedValue; }
    void SetSpeedValue(float v) { speedValue = v; }
    virtual int GetMoveState() const { return moveState; }
    virtual void SetMoveState(int value) { moveState = value; }

    // The character's boxes; the character does not own them here.
    std::vector<CollisionShape<int>*>& GetCollisionShape() { return collisionShapes; }

    virtual int GetLife() const { return life; }
    virtual void SetLife(int value) { life = value; }
    virtual int GetMaxLife() const { return maxLife; }
    virtual void SetMaxLife(int value) { maxLife = value; }
    virtual bool IsAlive() const { return life > 0; }
    virtual void SetCustomFlag1(bool value) { customFlag1 = value; }
    virtual bool GetCustomFlag1() const { return customFlag1; }
    virtual bool GetCustomFlag2() const { return customFlag2; }
    virtual void SetCustomFlag2(bool value) { customFlag2 = value; }
    virtual GraphicalObject* GetCurrentGraphical() const { return currentGraphical; }
    // Boxes of the current frame, local to the graphical; none here yet.
    virtual std::vector<Rect<int>> GetHurtBoxes() { return {}; }
    virtual std::vector<Rect<int>> GetAttackBoxes() { return {}; }
    // Whether a box (world coordinates) hits this character; never here yet.
    virtual bool IsHitByBox(Rect<int>, bool) { return false; }
    virtual bool IsHitByAttack(Rect<int>, bool) { return false; }
    virtual bool AttackHitsBox(Rect<int>) { return false; }
    virtual void ReceiveHit(CharacterObject*, int, float) { }
    // Flags the hit; the base never lowers life.
    virtual void ApplyDamage(CharacterObject*, int) { hitThisFrame = true; }
    virtual int GetHitSoundIndex() const { return hitSoundIndex; }
    virtual int GetDeathSoundIndex() const { return deathSoundIndex; }
    virtual float GetSizeSquared() const { return static_cast<float>(size.x * size.x + size.y * size.y); }
    virtual Point<float> GetCircleCenter() const
    {
        return Point<float>(static_cast<float>(size.x) * 0.5f, static_cast<float>(size.y) * 0.5f);
    }
    virtual float GetCircleRadius() const { return static_cast<float>(size.x) * 0.5f; }
    virtual void SetInvulnerableFrames(int frames) { invulnerableFrames = frames; }
    virtual bool IsDead() const { return dead; }
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

    // Acts once only.
    virtual void Die() { dead = true; }

    Point<float> GetCenter() const
    {
        return position + Point<float>(static_cast<float>(size.x) * 0.5f, static_cast<float>(size.y) * 0.5f);
    }
    Point<float> GetDirection() const { return direction; }
    void SetDirection(Point<float> d) { direction = d; }
    bool IsInvulnerable() const { return invulnerable; }
    void SetCurrentGraphical(GraphicalObject* g) { currentGraphical = g; }
    int GetState() const { return state; }
    void SetDropsItems(int value) { dropsItems = value; }
    bool WasHit() const { return hitThisFrame || hitThisFrame2; }
    // After an attack that struck: the hit flag clears, and a living
    // character's second hit flag too, so the next attack can strike again.
    void ClearStruck()
    {
        hitThisFrame = false;
        if (life > 0)
            hitThisFrame2 = false;
    }

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

protected:
    Point<float> position;
    Point<float> previousPosition;
    Point<float> direction {1.0f, 0.0f};
    float speed = 0.0f;
    int32_t deathSoundIndex = -1;
    int32_t hitSoundIndex = -1;
    GraphicalObject* currentGraphical = nullptr;
    int32_t state = 0;
    float speedValue = 5.5f;
    int moveState = 0;
    Point<float> circleCentre;
    float circleRadius = 0.0f;
    bool isPlayer = false;
    const CollisionBodyRecord* lastContact = nullptr;
    bool dead = false;
    int32_t life = -1;
    int32_t maxLife = -1;
    bool customFlag1 = false;
    bool hitThisFrame = false;
    bool hitThisFrame2 = false;
    bool customByte = false;
    int32_t dropsItems = 1;
    Point<int> size;
    bool invulnerable = false;
    int32_t invulnerableFrames = 0;
    bool customFlag2 = false;
    std::vector<CollisionShape<int>*> collisionShapes;
};
