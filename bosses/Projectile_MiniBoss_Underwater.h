#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/Rect.h"

#include <memory>
#include <string>

class GraphicalObject;

// A jellyfish capsule of the Drowned Nave's mini-boss: it sinks ever faster
// (direction y -1, level y up) while its sideways drift dies away, opens
// where it meets the level's collision boxes (it settles on the floor) and
// lets out one jellyfish into the mini-boss's zone.
class Projectile_MiniBoss_Underwater : public CharacterObject {
public:
    static constexpr int kRising = 0;
    static constexpr int kOpening = 1;
    static constexpr float kPush = 0.04f;

    explicit Projectile_MiniBoss_Underwater(std::string name);
    ~Projectile_MiniBoss_Underwater() override;

    static std::string VersionedClassName() { return std::string("Projectile_MiniBoss_Underwater") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    void Update(double dt) override;
    Point<int> GetSize() const override;

    void SetJellyZone(Rect<int> zone) { jellyZone = zone; }
    Rect<int> GetJellyZone() const { return jellyZone; }

private:
    std::unique_ptr<GraphicalObject> idle;
    std::unique_ptr<GraphicalObject> open;
    Rect<int> jellyZone;
};
