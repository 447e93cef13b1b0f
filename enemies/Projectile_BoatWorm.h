#pragma once

#include "characters/CharacterObject.h"

#include <memory>
#include <string>

class GraphicalObject;

// The worm's spit: it flies in a straight line at "boatworm"
// "projectile_speed" along its direction and leaves at its first touch of
// the player (whom it hurts) or of a wall of "Collisions". An area hit
// removes it; a near blow does nothing.
class Projectile_BoatWorm : public CharacterObject {
public:
    static constexpr int kFlying = 0;

    explicit Projectile_BoatWorm(std::string name);
    ~Projectile_BoatWorm() override;

    void Update(double dt) override;
    Point<int> GetSize() const override;
    void ReceiveHit(CharacterObject* attacker, int kind, float amount) override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    // The shot speed in force ("boatworm" "projectile_speed").
    static float CurrentSpeed();

private:
    std::unique_ptr<GraphicalObject> flying;
    std::unique_ptr<GraphicalObject> stuck;
};
