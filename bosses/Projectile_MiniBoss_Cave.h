#pragma once

#include "bosses/BossFrame.h"
#include "engine/serial/TypeNames.h"

#include <string>

class GraphicalObject;

// One piece of the cave mini-boss's beam: the centre spark or a beam
// segment. Made showing the beam picture but disabled (neither drawn nor
// hurting until used), it is shown at its place when its part fires, hurts
// the player while its one animation plays, and then vanishes until the next
// attack.
class Projectile_MiniBoss_Cave : public BossCharacter {
public:
    explicit Projectile_MiniBoss_Cave(std::string name);

    static std::string VersionedClassName() { return "Projectile_MiniBoss_Cave" + std::string("V0"); }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    void Update(double dt) override;
    // Nothing while disabled: a piece waiting with its picture is not seen.
    bool Draw(DXGraphicalSurface* target, Point<int> offset) override;

    // Shown at the place from its first frame.
    void FireCentre(Point<float> at);
    void FireBeam(Point<float> at);
    bool IsShowing() const { return enabled && currentGraphical != nullptr; }
    GraphicalObject* GetSpriteCentre() const { return spriteCentre; }
    GraphicalObject* GetSpriteBeam() const { return spriteBeam; }

private:
    GraphicalObject* spriteCentre;
    GraphicalObject* spriteBeam;
};
