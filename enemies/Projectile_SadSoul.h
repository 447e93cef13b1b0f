#pragma once

#include "characters/CharacterObject.h"

#include <memory>
#include <string>

class GraphicalObject;

// A lost soul: it drifts out to its approach point, then turns toward the
// player, speeds up and homes in, with a limited turn. It ends on touching
// the player or a wall of "Collisions", on an area hit, or when old. The
// scythe passes through it. The Garden boss makes a slower, longer-lived
// target variant of it.
class Projectile_SadSoul : public CharacterObject {
public:
    static constexpr int kDrift = 0;
    static constexpr int kHoming = 1;
    static constexpr int kAgeLimit = 82;
    static constexpr int kTargetAgeLimit = 511;

    explicit Projectile_SadSoul(std::string name);
    ~Projectile_SadSoul() override;

    // Only "NPC_Generic_ThrowProjectile", which is its hit and death sound.
    void DeclareSounds() override;
    void Update(double dt) override;
    Point<int> GetSize() const override;
    // The scythe passes through a soul; the target variant only flashes.
    void ApplyDamage(CharacterObject* attacker, int damage) override;
    // An area hit ends a soul; the target variant ignores it.
    void ReceiveHit(CharacterObject* attacker, int kind, float amount) override;

    // Turns a new soul into the Garden boss's target variant with its look.
    void SetGraphicalTarget();
    bool IsTarget() const { return target; }
    void SetApproachPoint(Point<int> p) { approach = p; }
    Point<int> GetApproachPoint() const { return approach; }

private:
    std::unique_ptr<GraphicalObject> moveVertical;
    std::unique_ptr<GraphicalObject> moveLeft;
    std::unique_ptr<GraphicalObject> moveRight;
    std::unique_ptr<GraphicalObject> targetLook;
    Point<int> approach;
    bool target = false;
};
