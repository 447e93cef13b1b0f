#pragma once

#include "characters/CharacterObject.h"

#include <memory>
#include <string>

class GraphicalObject;

// An ice imp of the frost sentinel: it falls from 1024 px above the
// platform it was dropped on (its owner, a "snow2_enemies" marker), lands on
// it, and hops 64 px left or right within it. 3 life; it hurts on contact.
class NPC_Boss2_Snow_Enemy : public CharacterObject {
public:
    static constexpr int kFalling = 0;
    static constexpr int kIdle = 1;
    static constexpr int kHopping = 2;
    static constexpr int kLife = 3;
    static constexpr float kFallSpeed = 16.0f;
    static constexpr int kHopFrames = 15;
    static constexpr float kHop = 64.0f;

    explicit NPC_Boss2_Snow_Enemy(std::string name);
    ~NPC_Boss2_Snow_Enemy() override;

    static std::string VersionedClassName() { return std::string("NPC_Boss2_Snow_Enemy") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    // Its own list: hit, killed, "NPC_Boss_Snow2_jump".
    void DeclareSounds() override;
    void Update(double dt) override;
    void ResetToStart() override { }
    Point<int> GetSize() const override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    Point<float> GetHopTarget() const { return hopTarget; }
    int GetFrameCounter() const { return frameCounter; }

private:
    void Land();

    std::unique_ptr<GraphicalObject> pop;
    std::unique_ptr<GraphicalObject> idle;
    std::unique_ptr<GraphicalObject> jump;
    Point<float> hopTarget;
    Point<float> hopStart;
    int frameCounter = 0;
};
