#pragma once

#include "characters/CharacterObject.h"

#include <memory>
#include <string>
#include <vector>

class GraphicalObject;
class Projectile_Killing_Mechanism;
template <class T, class C> class SpacialInstance;

// An iron press: a solid body whose copy stands in "Collisions" (it blocks
// the way until destroyed) and a blade it owns. When the player's centre is
// inside the place of another mechanism of the same name (its group), the
// body starts its blade above the player there. Touching the body does not
// hurt; the blade does. An ice area hit counts twice.
class NPC_Killing_Mechanism : public CharacterObject {
public:
    static constexpr int kLaunching = 0;
    static constexpr int kReady = 1;
    static constexpr int kDying = 2;
    // The blade stands this far below the bottom of the place it strikes.
    static constexpr int kBladeDrop = 30;

    explicit NPC_Killing_Mechanism(std::string name);
    ~NPC_Killing_Mechanism() override;

    void Update(double dt) override;
    // Finds the group: every other live character of its name.
    void ResetToStart() override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    Point<int> GetSize() const override;
    void ReceiveHit(CharacterObject* attacker, int kind, float amount) override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    Projectile_Killing_Mechanism* GetBlade() const { return blade; }
    Projectile_Killing_Mechanism* GetLastBlade() const { return lastBlade; }
    const std::vector<CharacterObject*>& GetGroup() const { return group; }
    SpacialInstance<GraphicalObject, float>* GetCollisionCopy() const { return collisionCopy; }

private:
    // Starts the blade in the first place of the group that holds the
    // player's centre; the blade started, or null.
    Projectile_Killing_Mechanism* SearchPlace();
    // Makes the look current, from its first frame when it was not.
    void Show(GraphicalObject* look);
    void PlaceCollisionCopy();
    void RemoveCollisionCopy();

    std::unique_ptr<GraphicalObject> forward;
    std::unique_ptr<GraphicalObject> backward;
    std::unique_ptr<GraphicalObject> dieLook;
    Projectile_Killing_Mechanism* lastBlade = nullptr;
    SpacialInstance<GraphicalObject, float>* collisionCopy = nullptr;
    Layer* copyLayer = nullptr;
    std::vector<CharacterObject*> group;
    Projectile_Killing_Mechanism* blade = nullptr;
};
