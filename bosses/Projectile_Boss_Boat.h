#pragma once

#include "characters/CharacterObject.h"

#include <memory>
#include <string>

class GraphicalObject;

// The wreck-beast's shot: a fireball spat from its head that flies left and
// burns out after 300 frames, or (debris) a plank that falls from above the
// arena, kept in the beast's pool and dropped again at every ground strike.
// It hurts on contact, trails six after-images and is drawn in front.
class Projectile_Boss_Boat : public CharacterObject {
public:
    static constexpr float kSpeed = 12.0f;
    static constexpr int kLifetime = 300;
    static constexpr int kTrail = 6;

    explicit Projectile_Boss_Boat(std::string name);
    ~Projectile_Boss_Boat() override;

    static std::string VersionedClassName() { return std::string("Projectile_Boss_Boat") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    void Update(double dt) override;
    Point<int> GetSize() const override;

    void SetDebris() { debrisFlag = 1; }
    bool IsDebris() const { return debrisFlag == 1; }
    int GetLifetime() const { return lifetime; }
    void SetTrail(int length) { drawInstance.SetTrailLength(length); }

private:
    std::unique_ptr<GraphicalObject> sprite;
    int debrisFlag = 0;
    int lifetime = kLifetime;
};
