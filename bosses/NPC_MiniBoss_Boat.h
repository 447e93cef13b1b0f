#pragma once

#include "bosses/BossFrame.h"

#include <string>
#include <vector>

class GraphicalObject;

// The deck's mini-boss: a creature rooted to its spot that, after each
// random pause of 33 to 98 frames, winds up, throws two fireballs along the
// deck (one each way, in its own look) and winds down. It hurts on contact
// and takes 30 life; at 0 it explodes, and its removal announces its name
// followed by "_State_DIE".
class NPC_MiniBoss_Boat : public BossCharacter {
public:
    static constexpr int kPause = 0;
    static constexpr int kWindUp = 1;
    static constexpr int kWindDown = 2;
    static constexpr int kAttack = 3;
    static constexpr int kLife = 30;
    static constexpr float kThrowReach = 128.0f;
    static constexpr float kThrowHeight = 24.0f;

    explicit NPC_MiniBoss_Boat(std::string name);
    ~NPC_MiniBoss_Boat() override;

    static std::string VersionedClassName() { return std::string("NPC_MiniBoss_Boat") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    // The base's two, then "NPC_Miniboss_Boat_Attack".
    void DeclareSounds() override;
    void Update(double dt) override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    int GetFrameCounter() const { return frameCounter; }
    void SetFrameCounter(int frames) { frameCounter = frames; }
    GraphicalObject* SpriteOfState(int s) const;

private:
    void RollPause();
    void Throw();

    GraphicalObject* idle = nullptr;
    GraphicalObject* attackBegin = nullptr;
    GraphicalObject* attackEnd = nullptr;
    GraphicalObject* attack = nullptr;
    int frameCounter = 0;
};
