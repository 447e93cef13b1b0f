#pragma once

#include "bosses/BossFrame.h"

#include <string>
#include <vector>

class GraphicalObject;
class Projectile_Boss2_Boat;

// The mast-totem of the Stern. One class plays five roles: the body its
// spawner makes (the leader, role 0), which on its first update stacks three
// parts (roles 1 to 3) and a head (role 4) above itself. After "start" the
// parts and the head slide down into place; the parts sway and hang two
// blades at their sides when the player comes level with them, the leader
// sends up series of spheres and, once a part is lost, attacks itself, and
// the head screams and shakes the camera. Each part and the head can be
// destroyed; the fourth loss explodes the whole totem. It sends no death
// message: its `Die` only lets go of its owner.
class NPC_Boss2_Boat : public BossCharacter {
public:
    static constexpr int kWaiting = -1;
    static constexpr int kReady = 0;
    static constexpr int kHeadAlone = 1;
    static constexpr int kDestroyed = 2;
    static constexpr int kAttacking = 3;
    static constexpr int kHeadAttackingAlone = 4;
    static constexpr int kEntry = 5;

    static constexpr int kLeader = 0;
    static constexpr int kHead = 4;

    static constexpr int kLife = 50;
    // The names its three parts and head are made under (settings files
    // link particle systems to them by these names).
    static std::vector<std::string> PartNames();
    static constexpr float kSwaySpeed = 0.1f;
    static constexpr int kEntryWait = 150;
    static constexpr int kEntryDrop = -768;
    static constexpr int kEntryStep = 5;
    static constexpr int kBladeRange = 448;
    static constexpr int kBladeDelay = 90;
    static constexpr int kVolleyPeriod = 600;
    static constexpr int kVolleyGap = 30;
    static constexpr int kVolleys = 10;
    static constexpr int kVolleyShots = 6;
    static constexpr int kSpheres = 60;
    static constexpr int kBladesPerPart = 2;
    static constexpr int kScreamAt = 30;
    static constexpr int kSwayLimit = 8;

    explicit NPC_Boss2_Boat(std::string name);
    ~NPC_Boss2_Boat() override;

    static std::string VersionedClassName() { return std::string("NPC_Boss2_Boat") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    // Its own list: hit, death ("NPC_Boss_Boat2_Die"), scream, attack.
    void DeclareSounds() override;
    void Update(double dt) override;
    void ResetToStart() override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    bool HandleScriptCommand(std::string command, std::string argument) override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;
    void Die() override;

    // The pools: two blades for a part or the head, sixty spheres (launched
    // at once, free 460 frames later) for the leader.
    void CreateProjectiles();
    void ClearAttackDelay() { attackDelay = 0; }
    void LosePart() { --partsAlive; }
    int GetPartsAlive() const { return partsAlive; }
    bool IsVolleyStarting() const { return volleyTimer == 10 && volleyIndex == 0; }
    // The first free blade (pool 0) or sphere (pool 1), or null.
    Projectile_Boss2_Boat* GetFreeProjectile(int pool) const;
    // The head's death removes every shot of the totem: the pools let go of
    // them, here and on every part, and the totem throws no more.
    void ForgetProjectiles();

    int GetRole() const { return role; }
    int GetAttackDelay() const { return attackDelay; }
    void SetAttackDelay(int frames) { attackDelay = frames; }
    int GetVolleyTimer() const { return volleyTimer; }
    int GetVolleyIndex() const { return volleyIndex; }
    int GetVolleySide() const { return volleySide; }
    int GetFrameCounter() const { return frameCounter; }
    int GetHomeX() const { return homeX; }
    bool IsAttackPending() const { return attackFlag; }
    const std::vector<NPC_Boss2_Boat*>& GetParts() const { return parts; }
    const std::vector<Projectile_Boss2_Boat*>& GetBlades() const { return blades; }
    const std::vector<Projectile_Boss2_Boat*>& GetSpheres() const { return spheres; }

private:
    void BuildParts();
    void RollAttackDelay();
    void RollSway();
    void StepEntry();
    void StepBlades();
    void StepHead();
    void StepLeader();
    bool StepMovement(double dt);
    void StepSprite(double dt);
    void ThrowBlade(float x, float y, bool left);
    void LaunchSphere(int mode, float x, float y, bool fromTop);
    static float Draw01();

    GraphicalObject* baseIdle = nullptr;
    GraphicalObject* baseAttack = nullptr;
    GraphicalObject* headIdle = nullptr;
    GraphicalObject* headIdle2 = nullptr;
    GraphicalObject* headScream = nullptr;
    GraphicalObject* headScream2 = nullptr;
    GraphicalObject* partIdle[3] = {};
    GraphicalObject* partDead[3] = {};
    GraphicalObject* partAttack[3] = {};

    int role = kLeader;
    int sway = 0;
    int bladeRange = kBladeRange;
    bool attackFlag = false;
    int homeX = 0;
    int partsAlive = 3;
    int attackDelay = 0;
    int volleyTimer = kVolleyPeriod;
    int volleyIndex = 0;
    int volleySide = 1;
    int frameCounter = kEntryWait;
    std::vector<NPC_Boss2_Boat*> parts;
    std::vector<Projectile_Boss2_Boat*> blades;
    std::vector<Projectile_Boss2_Boat*> spheres;
};
