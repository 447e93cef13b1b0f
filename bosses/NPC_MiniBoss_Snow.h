#pragma once

#include "bosses/BossFrame.h"

#include <string>
#include <vector>

class GraphicalObject;

// The Mere's mini-boss: a frost idol that blows cannot reach. Three targets
// circle its mouth; every blow on a target makes it throw an ice shard at
// the player, and every broken target costs it one of its three lives. At
// none it explodes; its removal announces its name and "_State_DIE".
class NPC_MiniBoss_Snow : public BossCharacter {
public:
    static constexpr int kLife = 3;
    static constexpr int kTargets = 3;
    static constexpr float kOrbitRadius = 224.0f;
    static constexpr Point<float> kMouth {160.0f, 192.0f};

    explicit NPC_MiniBoss_Snow(std::string name);
    ~NPC_MiniBoss_Snow() override;

    static std::string VersionedClassName() { return std::string("NPC_MiniBoss_Snow") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    void DeclareSounds() override;
    void Update(double dt) override;
    void ResetToStart() override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    // Blows never reach it: only its targets take them.
    bool IsHitByBox(Rect<int> box, bool flag) override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    // Shows the attack and throws one shard at the player's hurt box.
    void ThrowProjectile();
    GraphicalObject* GetAttackSprite() const { return attack; }

private:
    GraphicalObject* idle = nullptr;
    GraphicalObject* attack = nullptr;
    GraphicalObject* dieLook = nullptr;
};
