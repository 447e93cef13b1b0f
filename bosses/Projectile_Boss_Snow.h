#pragma once

#include "characters/CharacterObject.h"

#include <memory>
#include <string>

class GraphicalObject;

// The timber giant's blocks: a square one (state 0) thrown in an arc over
// an apex toward the player, which flies on once it comes within 32 units
// of its target and melts after 330 frames; and a long one (state 1) of the
// snowfall, which falls straight at 6 without end. Both hurt on contact.
class Projectile_Boss_Snow : public CharacterObject {
public:
    static constexpr int kThrown = 0;
    static constexpr int kFalling = 1;
    static constexpr int kLifetime = 330;
    static constexpr float kMaxSpeed = 8.0f;
    static constexpr float kFallSpeed = 6.0f;

    explicit Projectile_Boss_Snow(std::string name);
    ~Projectile_Boss_Snow() override;

    static std::string VersionedClassName() { return std::string("Projectile_Boss_Snow") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    void DeclareSounds() override;
    void Update(double dt) override;
    Point<int> GetSize() const override;

    // The snowfall's long block.
    void MakeRect();
    void SetStartPoint(Point<int> p) { startPoint = p; }
    void SetTargetPoint(Point<int> p) { targetPoint = p; }
    Point<int> GetTargetPoint() const { return targetPoint; }
    bool HasPassedTarget() const { return passedTarget; }
    int GetFrameCounter() const { return frameCounter; }

private:
    std::unique_ptr<GraphicalObject> sprite;
    Point<int> startPoint;
    Point<int> targetPoint;
    bool passedTarget = false;
    int frameCounter = kLifetime;
};
