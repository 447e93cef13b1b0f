#pragma once

#include "characters/CharacterObject.h"

#include <memory>
#include <string>

class GraphicalObject;

// A shot of the egg cradle: it flies out along its fan direction, slows to
// a stop, then rises while it swings 96 px to either side and bobs, and
// vanishes. Kind 0 (rank 1) bursts at any received hit; kinds 1 and 2 cannot
// be destroyed; none can be struck by the scythe's box test.
class Projectile_Boss2_Underwater : public CharacterObject {
public:
    static constexpr int kFan = 0;
    static constexpr int kSwing = 1;
    static constexpr float kSpeed = 7.8f;
    static constexpr int kFanFrames = 60;
    static constexpr int kHalfSwing = 45;

    explicit Projectile_Boss2_Underwater(std::string name);
    ~Projectile_Boss2_Underwater() override;

    static std::string VersionedClassName() { return std::string("Projectile_Boss2_Underwater") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    void DeclareSounds() override;
    void Update(double dt) override;
    Point<int> GetSize() const override;
    bool IsHitByBox(Rect<int> box, bool flag) override;
    void ReceiveHit(CharacterObject* attacker, int kind, float amount) override;

    // The look of the kind: 0, 1 (rank 2) or 2 (rank 3).
    void SetKind(int value);
    int GetKind() const { return kind; }
    int GetFrameCounter() const { return frameCounter; }

private:
    std::unique_ptr<GraphicalObject> sprite;
    Point<float> swingBase;
    int swingSign = 1;
    int swingTimer = 0;
    int kind = -1;
    int frameCounter = kFanFrames;
};
