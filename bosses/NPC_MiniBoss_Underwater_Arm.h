#pragma once

#include "characters/CharacterObject.h"

#include <memory>
#include <string>

class GraphicalObject;

// The mini-boss's arm, centred on its body: it strikes down when the player
// is just below its front, sideways when the player is to either side, and
// repeats while the player stays. Its own life never changes: a blow on the
// arm is a blow on the mini-boss.
class NPC_MiniBoss_Underwater_Arm : public CharacterObject {
public:
    static constexpr int kIdle = 0;
    static constexpr int kSide = 1;
    static constexpr int kFront = 2;

    explicit NPC_MiniBoss_Underwater_Arm(std::string name);
    ~NPC_MiniBoss_Underwater_Arm() override;

    static std::string VersionedClassName() { return std::string("NPC_MiniBoss_Underwater_Arm") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    void Update(double dt) override;
    Point<int> GetSize() const override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    bool IsEffectLaunched() const { return effectLaunched; }

private:
    std::unique_ptr<GraphicalObject> idle;
    std::unique_ptr<GraphicalObject> attackSide;
    std::unique_ptr<GraphicalObject> attackFront;
    bool effectLaunched = false;
};
