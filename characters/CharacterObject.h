#pragma once

#include "engine/serial/Point.h"
#include "scene/CollisionShape.h"

#include <vector>

struct CollisionBodyRecord;

// Stand-in for the character base of the player, enemies and projectiles:
// only what the collision tests read of a character (its position, its list
// of collision shapes, its circle, whether it is the player) and the record
// of the fixture it touched last. The full class replaces this file.
class CharacterObject {
public:
    virtual ~CharacterObject() = default;

    Point<float> GetPosition() const { return position; }
    void SetPosition(Point<float> p) { position = p; }

    // Where the character stood on the frame before (the camera follows the
    // movement between the two).
    Point<float> GetPreviousPosition() const { return previousPosition; }
    void SetPreviousPosition(Point<float> p) { previousPosition = p; }
    Point<int> GetSize() const { return size; }
    void SetSize(Point<int> s) { size = s; }
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

    const CollisionBodyRecord* GetLastContact() const { return lastContact; }
    void SetLastContact(const CollisionBodyRecord* record) { lastContact = record; }

private:
    Point<float> position;
    Point<float> previousPosition;
    Point<int> size {32, 32};
    float speedValue = 5.5f;
    int moveState = 0;
    std::vector<CollisionShape<int>*> collisionShapes;
    Point<float> circleCentre;
    float circleRadius = 0.0f;
    bool isPlayer = false;
    const CollisionBodyRecord* lastContact = nullptr;
};
