#pragma once

#include "characters/CharacterObject.h"

#include <memory>
#include <string>

class GraphicalObject;

// The Mere mini-boss's two kinds of ice: a target (state 0) that circles the
// mini-boss's mouth 224 px out, 2 degrees a frame, takes 5 life of blows and
// makes its mini-boss answer each one; and a thrown shard (state 1) that
// flies straight at 6 for 300 frames. Both hurt on contact.
class Projectile_MiniBoss_Snow : public CharacterObject {
public:
    static constexpr int kTarget = 0;
    static constexpr int kThrown = 1;
    static constexpr int kLife = 5;
    static constexpr int kLifetime = 300;
    static constexpr float kThrownSpeed = 6.0f;
    static constexpr float kOrbitStep = 2.0f;
    static constexpr int kTrail = 5;
    // The point the targets circle, from the mini-boss's position.
    static constexpr Point<float> kOrbitCentre {160.0f, 192.0f};

    explicit Projectile_MiniBoss_Snow(std::string name);
    ~Projectile_MiniBoss_Snow() override;

    static std::string VersionedClassName() { return std::string("Projectile_MiniBoss_Snow") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    void Update(double dt) override;
    Point<int> GetSize() const override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;
    void ResetToStart() override;

    // Makes it a target at that angle (degrees) and offset from the centre.
    void MakeTarget(float angle, Point<float> offset);
    float GetOrbitAngle() const { return orbitAngle; }
    int GetFrameCounter() const { return frameCounter; }

private:
    std::unique_ptr<GraphicalObject> target;
    std::unique_ptr<GraphicalObject> shard;
    Point<float> orbitOffset;
    float orbitAngle = 0.0f;
    int frameCounter = kLifetime;
    bool madeTarget = false;
};
