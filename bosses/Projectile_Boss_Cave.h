#pragma once

#include "bosses/BossFrame.h"
#include "engine/serial/TypeNames.h"

#include <string>

class GraphicalObject;

// The cave boss's insect: flies out to its target point, then homes in on
// the player, speeding up and turning a little every frame. One hit makes it
// shake and burst; it leaves when the burst has played, telling its head.
class Projectile_Boss_Cave : public BossCharacter {
public:
    static constexpr int kFlyingOut = 0;
    static constexpr int kHoming = 1;
    static constexpr int kHit = 2;
    static constexpr int kBursting = 3;

    explicit Projectile_Boss_Cave(std::string name);

    static std::string VersionedClassName() { return "Projectile_Boss_Cave" + std::string("V0"); }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    // "NPC_Boss_Cave_KillInsect" (0) and "NPC_Boss_Cave_Plant_Die" (1).
    void DeclareSounds() override;
    void Update(double dt) override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;
    virtual bool IsActive() const { return life > 0; }

    Point<int> target;
    float acceleration = 0.1f;
    float steering = 0.2f;
    float maxSpeed = 3.0f;
    int GetFrameCounter() const { return frameCounter; }

private:
    GraphicalObject* spriteIdle;
    GraphicalObject* spriteExplode;
    int frameCounter = 0;
};
