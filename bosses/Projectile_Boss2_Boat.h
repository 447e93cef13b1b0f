#pragma once

#include "characters/CharacterObject.h"

#include <memory>
#include <string>
#include <vector>

class GraphicalObject;

// The mast-totem's shot, in two looks: a blade that hangs at its offset from
// the part that threw it until its sweep has played, and a sphere that waits
// 10 frames, rises for 450 frames and is free again. A shot is free, ready
// to be thrown anew, while it shows no picture; its thrower keeps it in a
// pool. It never drops an item and is drawn in front of the scene.
class Projectile_Boss2_Boat : public CharacterObject {
public:
    // States: flying or attached, and the two sphere launches.
    static constexpr int kFlying = 0;
    static constexpr int kFastLaunch = 1;
    static constexpr int kSlowLaunch = 2;
    static constexpr int kLaunchWait = 10;
    static constexpr int kFlightFrames = 450;
    static constexpr float kFastSpeed = 7.8f;
    static constexpr float kSlowSpeed = 2.6f;
    static constexpr int kTrail = 5;

    explicit Projectile_Boss2_Boat(std::string name);
    ~Projectile_Boss2_Boat() override;

    static std::string VersionedClassName() { return std::string("Projectile_Boss2_Boat") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    // Only "NPC_Boss_Boat2_Proj".
    void DeclareSounds() override;
    void Update(double dt) override;
    Point<int> GetSize() const override;

    // A sphere: direction (0, 1), contact damage 1, launched fast (mode 1) or
    // slow (any other mode) after its wait, with a trail of after-images.
    void Launch(int mode, bool playSound);
    // The blade look, its sweep restarted, contact damage 2.
    void SetBlade();
    bool IsFree() const { return currentGraphical == nullptr; }
    int GetFrameCounter() const { return frameCounter; }
    bool IsBlade() const { return blade != nullptr && currentGraphical == blade.get(); }
    bool IsSphere() const { return sphere != nullptr && currentGraphical == sphere.get(); }

    // The first free shot of a pool, or null when every one is busy or gone.
    static Projectile_Boss2_Boat* FirstFree(const std::vector<Projectile_Boss2_Boat*>& pool);

private:
    std::unique_ptr<GraphicalObject> blade;
    std::unique_ptr<GraphicalObject> sphere;
    int frameCounter = 0;
};
