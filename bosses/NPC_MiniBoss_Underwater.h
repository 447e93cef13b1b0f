#pragma once

#include "bosses/BossFrame.h"
#include "engine/serial/Rect.h"

#include <string>
#include <vector>

class GraphicalObject;
class NPC_MiniBoss_Underwater_Arm;

// The Drowned Nave's mini-boss: a great body that swims from one side of
// its zone to the other, slowing to turn at each end, bobbing 16 px, with an
// arm that strikes sideways or down at the player. Every hit that leaves it
// alive releases a capsule that rises, opens on the ceiling and lets out a
// jellyfish, which then roams the rectangle of the trigger named after the
// mini-boss with "_JellyZone". At most one damaging hit a frame; 30 life.
class NPC_MiniBoss_Underwater : public BossCharacter {
public:
    static constexpr int kLife = 30;
    static constexpr float kSpeed = 4.0f / 3.0f;
    static constexpr int kBobPeriod = 181;
    static constexpr float kBob = 16.0f;
    static constexpr Point<float> kCapsuleStart {144.0f, 128.0f};

    explicit NPC_MiniBoss_Underwater(std::string name);
    ~NPC_MiniBoss_Underwater() override;

    static std::string VersionedClassName() { return std::string("NPC_MiniBoss_Underwater") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    void Update(double dt) override;
    void ResetToStart() override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    NPC_MiniBoss_Underwater_Arm* GetArm() const { return arm; }
    Rect<int> GetJellyZone() const { return jellyZone; }
    GraphicalObject* Look(const std::string& suffix) const { return sprites.Get(suffix); }
    Point<float> GetHome() const { return home; }
    int GetFrameCounter() const { return frameCounter; }
    // The arm tells it when the mini-boss is gone.
    void ForgetArm() { arm = nullptr; }

    // Where it swims, set by its spawner.
    Rect<int> rect;

private:
    void Steer();
    void ReleaseCapsule();

    GraphicalObject* moveRight = nullptr;
    GraphicalObject* moveLeft = nullptr;
    NPC_MiniBoss_Underwater_Arm* arm = nullptr;
    Point<float> home;
    Rect<int> jellyZone;
    int frameCounter = 0;
};
