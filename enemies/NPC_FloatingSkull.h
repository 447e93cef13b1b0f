#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/Rect.h"

#include <cstdint>
#include <memory>
#include <string>

class GraphicalObject;

// A flying skull that drifts between random points of its zone, chases the
// player once within its trigger distance, bounces back after touching the
// player and is knocked back when hit. Its kind picks its look and role: 0
// plain, 1 ghost (untouchable until the ice armour freezes it), and the
// kinds the bosses use (2 blue, 3 and 4 chasing, 5 garden-boss shot, 6 the
// final boss's head). Made by the floating-skull spawner, the strong
// crouching skull and the bosses.
class NPC_FloatingSkull : public CharacterObject {
public:
    static constexpr int kWander = 0;
    static constexpr int kChase = 1;
    static constexpr int kTouched = 2;
    static constexpr int kKnockedBack = 3;

    explicit NPC_FloatingSkull(std::string name);
    ~NPC_FloatingSkull() override;

    // The base's sounds, then "NPC_FloatingSkull_Idle".
    void DeclareSounds() override;
    void Update(double dt) override;
    // Right after the factory made it: loads the sounds and plays sound 2.
    void PostUnSerialize() override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    Point<int> GetSize() const override;
    // An unfrozen ghost cannot be hit; a blow that would have struck it
    // shows a hint instead.
    bool IsHitByBox(Rect<int> box, bool flag) override;
    void ReceiveHit(CharacterObject* attacker, int hitKind, float amount) override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;
    // The ice armour: only the first call acts; a ghost turns to ice.
    bool IsFreezable() const override { return true; }
    void Freeze() override;

    virtual void SetKind(int value);
    int GetKind() const { return kind; }
    Point<int> GetDestination() const { return destination; }
    void SetDestination(Point<int> value) { destination = value; }
    // A random point of the zone widened by half the sprite; one closer than
    // 100 pixels to the position is pushed out to 100 pixels.
    void PickRandomDestination();
    bool IsFrozen() const { return frozen != 0; }
    float GetChaseMaxSpeed() const { return chaseMaxSpeed; }

    // The rectangle wandering uses (x0 left, y0 top, x1 right, y1 bottom),
    // set by the spawner.
    Rect<int> roamingRect;

protected:
    // The current graphical when facing left or right.
    GraphicalObject* SpriteFor(bool right) const { return right ? spriteRight : spriteLeft; }
    void SetSprites(std::unique_ptr<GraphicalObject> left, std::unique_ptr<GraphicalObject> right);
    // One look for both facings.
    void SetSprite(std::unique_ptr<GraphicalObject> both);

    int32_t kind = 0;
    int32_t frozen = 0;
    double triggerDistanceSq = 52900.0;
    Point<int> destination;
    float acceleration = 0.1f;
    float steering = 0.2f;
    float wanderMaxSpeed = 2.0f;
    float chaseMaxSpeed = 4.0f;
    bool aggressive = true;
    GraphicalObject* spriteLeft = nullptr;
    GraphicalObject* spriteRight = nullptr;

private:
    // The contact step: true when a player's hurt box meets an attack box.
    bool TouchesPlayer(const CharacterObject& player) const;
    void StepDrawingEffect();

    std::unique_ptr<GraphicalObject> ownedLeft;
    std::unique_ptr<GraphicalObject> ownedRight;
};
