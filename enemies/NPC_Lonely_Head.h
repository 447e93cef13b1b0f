#pragma once

#include "characters/CharacterObject.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class GraphicalObject;

// A floating stone head that rises and falls inside the vertical band of its
// spawner zone and never moves sideways. Within 300 pixels of the player it
// chases the player's height, hurts on contact and every 66 updates throws a
// fan of four Projectile_Lonely_Head ("lonely_head" "impulse_right_right"
// and "impulse_right_mid", each also mirrored); farther away it drifts to
// the middle of its band. An ice area hit counts twice.
class NPC_Lonely_Head : public CharacterObject {
public:
    static constexpr int kThrowEvery = 66;
    static constexpr int kLife = 4;
    // Squared distance within which the player is near (300 pixels).
    static constexpr float kNearSq = 90000.0f;

    explicit NPC_Lonely_Head(std::string name);
    ~NPC_Lonely_Head() override;

    // The base's sounds, then "NPC_LonelyHead_Proj".
    void DeclareSounds() override;
    void Update(double dt) override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    Point<int> GetSize() const override;
    void ReceiveHit(CharacterObject* attacker, int kind, float amount) override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    void SetLowY(int value) { lowerY = value; }
    void SetHighY(int value) { upperY = value; }
    Point<int> GetTarget() const { return target; }

    // Its vertical range, set by its spawner.
    int32_t lowerY = 0;
    int32_t upperY = 0;

private:
    void ThrowFan();
    // The height to move toward while the player is near; `dy` is the
    // distance from the centre to the current target height.
    void ChooseNearTarget(Point<int> playerCentre, int centreY, float dy);
    // Speed and move along y toward the target, reversing when it lies
    // behind.
    void MoveTowardTarget();

    std::unique_ptr<GraphicalObject> idleLeft;
    std::unique_ptr<GraphicalObject> idleRight;
    Point<int> target;
};
