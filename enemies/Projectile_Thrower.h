#pragma once

#include "characters/CharacterObject.h"

#include <memory>
#include <string>

class GraphicalObject;

// The thrown shot of the thrower and the thrower skull: it starts at the
// "thrower" "projectile_base_direction" and loses "projectile_attenuation"
// of it every update (an arc), hurts the player on contact, bursts there or
// on a wall of "Collisions" and removes itself once the burst has played. A
// hit of the player's removes it at once.
class Projectile_Thrower : public CharacterObject {
public:
    static constexpr int kFlying = 0;
    static constexpr int kBurst = 1;

    explicit Projectile_Thrower(std::string name);
    ~Projectile_Thrower() override;

    void Update(double dt) override;
    Point<int> GetSize() const override;
    void ReceiveHit(CharacterObject* attacker, int kind, float amount) override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;

private:
    std::unique_ptr<GraphicalObject> flyingLeft;
    std::unique_ptr<GraphicalObject> flyingRight;
    std::unique_ptr<GraphicalObject> burst;
};
