#pragma once

#include "characters/CharacterObject.h"

#include <memory>
#include <string>

class GraphicalObject;

// The anemone's one projectile class in three roles: a shot (drifts while
// its look plays, then darts once at the player and flies straight for 330
// frames), a beam segment (hidden until its arm dies, then shown until its
// look has played), and an eye (held at the end of an arm; the last one
// flies back into the body, which then turns weak). It never loses life.
class Projectile_Boss_Underwater : public CharacterObject {
public:
    static constexpr int kLaunch = 0;
    static constexpr int kFlight = 1;
    static constexpr int kFlightFrames = 330;
    static constexpr int kNoEye = 0;
    static constexpr int kHeldEye = 1;
    static constexpr int kReleasedEye = 2;

    explicit Projectile_Boss_Underwater(std::string name);
    ~Projectile_Boss_Underwater() override;

    static std::string VersionedClassName() { return std::string("Projectile_Boss_Underwater") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    void Update(double dt) override;
    // A segment waiting in its line's pool (disabled) is not drawn: it sits
    // at the level's origin until the line fires it.
    bool Draw(DXGraphicalSurface* target, Point<int> offset) override;
    Point<int> GetSize() const override;

    // A beam segment: 0 horizontal, 1 vertical, 2 the centre.
    void SetBeamSprite(int kind);
    void MakeEye();
    bool IsBeam() const { return beam; }
    int GetEyeMode() const { return eyeMode; }
    void ReleaseEye(CharacterObject* boss, Point<float> target);
    Point<float> GetTarget() const { return target; }
    int GetFrameCounter() const { return frameCounter; }

private:
    std::unique_ptr<GraphicalObject> sprite;
    std::unique_ptr<GraphicalObject> moveLook;
    bool beam = false;
    int eyeMode = kNoEye;
    Point<float> target;
    int frameCounter = 0;
};
