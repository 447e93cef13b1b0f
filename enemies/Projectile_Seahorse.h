#pragma once

#include "characters/CharacterObject.h"

#include <cstdint>
#include <memory>
#include <string>

class GraphicalObject;

// The seahorse's shot: it flies in a straight line, hurts the player on
// contact (and flies on), and ends on a wall of "Collisions", when hit, or
// after 66 updates.
class Projectile_Seahorse : public CharacterObject {
public:
    static constexpr int kLifetime = 66;

    explicit Projectile_Seahorse(std::string name);
    ~Projectile_Seahorse() override;

    void Update(double dt) override;
    Point<int> GetSize() const override;
    // Any hit ends it.
    void ReceiveHit(CharacterObject* attacker, int kind, float amount) override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    int GetLifetime() const { return lifetime; }

private:
    std::unique_ptr<GraphicalObject> idle;
    int32_t lifetime = kLifetime;
};
