#pragma once

#include "engine/serial/Point.h"
#include "scene/SceneObject.h"

#include <string>
#include <utility>
#include <vector>

class DXGraphicalSurface;
struct CollisionBodyRecord;
template <class C> class CollisionShape;

// What the scene model reads of a living character (the player, an enemy, a
// projectile): its place, size and move for the camera, its shapes for the
// layers' collision tests and what decides whether and when a layer draws
// it. CharacterObject implements it; the scene never needs more.
class SceneCharacter : public SceneObject {
public:
    explicit SceneCharacter(std::string name)
        : SceneObject(std::move(name))
    {
    }

    virtual Point<float> GetPosition() const = 0;
    virtual Point<float> GetPreviousPosition() const = 0;
    virtual Point<int> GetSize() const = 0;
    virtual Point<float> GetCenter() const = 0;
    // The move state (jump 4, end of jump 5, fall 6 for the player) and its
    // speed, for the camera's look-ahead.
    virtual int GetMoveState() const = 0;
    virtual float GetSpeedValue() const = 0;

    // Draws the character; false when a draw failed.
    virtual bool Draw(DXGraphicalSurface* target, Point<int> offset) = 0;
    virtual bool IsHidden() const = 0;
    // The player's layer draws the characters with neither flag before the
    // player and the flagged ones after it; the layers that draw front
    // characters draw those drawn in front.
    virtual bool IsDrawnFlagged() const = 0;
    virtual bool IsDrawnInFront() const = 0;

    // The player character (one-way platforms let it pass from below).
    virtual bool IsPlayerCharacter() const = 0;
    // The movement collision shapes (owned by the character).
    virtual std::vector<CollisionShape<int>*>& GetCollisionShape() = 0;
    // The collision body the character touched last, or null.
    virtual void SetLastContact(const CollisionBodyRecord* record) = 0;
    // The circle tested against collision lines for a kind of contact.
    virtual Point<float> GetCircleCentre() const = 0;
    virtual float GetContactRadius(int kind) const = 0;
};
