#pragma once

#include "bosses/BossFrame.h"
#include "engine/serial/TypeNames.h"

#include <string>

class GraphicalObject;

// The cave's first boss: up to three heads on the walls and an invisible
// heads manager, all of this class. A head bobs, hurts on contact and, once
// started, throws bursts of insects that fly out to a point around it and
// then home in on the player. The manager's life is the number of heads
// left; it sets the size of the bursts, and when the last head dies the
// manager kills every insect, slows the game down and announces
// "NPC_Boss_Cave_State_DIE".
class NPC_Boss_Cave : public BossCharacter {
public:
    static constexpr const char* kManagerName = "NPC_Boss_Cave__HEADS_MANAGER";
    static constexpr const char* kHeadPrefix = "NPC_Boss_Cave__HEAD";
    static constexpr const char* kInsectClass = "Projectile_Boss_Cave";
    static constexpr const char* kFightOver = "NPC_Boss_Cave_State_DIE";

    explicit NPC_Boss_Cave(std::string name);

    static std::string VersionedClassName() { return "NPC_Boss_Cave" + std::string("V0"); }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    // The base two, then "NPC_Boss_Cave_Insects" (index 2).
    void DeclareSounds() override;
    void Update(double dt) override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    // The manager hands every command to the heads; "start" (exactly) starts
    // a head's bursts; then "enable" and "disable" of the base.
    bool HandleScriptCommand(std::string command, std::string argument) override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    // A head has a non-zero direction x; the manager a zero one.
    bool IsManager() const { return direction.x == 0.0f; }
    int GetInsectsAlive() const { return insectsAlive; }
    void InsectGone()
    {
        if (insectsAlive > 0)
            --insectsAlive;
    }
    int GetBurstLeft() const { return burstLeft; }
    int GetBurstTimer() const { return burstTimer; }
    int GetBobOffset() const { return bobOffset; }

private:
    void UpdateSprite();
    void Bob();
    void UpdateBursts();
    // Throws one insect, when one can be made.
    void ThrowInsect();

    GraphicalObject* spriteLeft;
    GraphicalObject* spriteRight;
    GraphicalObject* spriteLeftMiddle;
    GraphicalObject* spriteRightMiddle;
    GraphicalObject* spriteLeftDead;
    GraphicalObject* spriteRightDead;
    // -1 until "start"; then the insects of this head in flight.
    int insectsAlive = -1;
    int burstTimer = 0;
    int burstLeft = 0;
    int bobOffset = 3;
    int bobTimer = 0;
};
