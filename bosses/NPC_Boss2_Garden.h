#pragma once

#include "bosses/BossFrame.h"
#include "bosses/Projectile_Boss2_Garden_Scyte.h"
#include "bosses/WeakCharacter.h"

#include <string>
#include <vector>

class GraphicalObject;
class Projectile_Boss2_Garden;

// The garden's second boss: a ghost that fades in at one of the places marked
// "spawnzone", attacks, fades out, hides and comes back elsewhere, while every
// other place throws a skull that bursts into two small ones. Only the
// player's own blows hurt it; a crossbow bolt is caught and circles it as a
// scythe. Two phases: 105 life, then 80 angry ones. At the start it lays a
// row of lava below the object named "lava_max".
class NPC_Boss2_Garden : public BossCharacter {
public:
    static constexpr int kWaiting = 0;
    static constexpr int kIdle = 1;
    static constexpr int kAfterAttack = 2;
    static constexpr int kFadingOut = 3;
    static constexpr int kFadingIn = 4;
    static constexpr int kHidden = 5;
    static constexpr int kAttacking = 6;
    static constexpr int kScytheSlots = 3;

    explicit NPC_Boss2_Garden(std::string name);

    // The base's two, then "NPC_Boss_Garden2_Appears" (2), "..._Fire" (3) and
    // "..._Disapear" (4).
    void DeclareSounds() override;
    // Lays the lava row.
    void ResetToStart() override;
    void Update(double dt) override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    // "start" (any case) in the waiting state: it fades in once, only to
    // show itself.
    bool HandleScriptCommand(std::string command, std::string argument) override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;
    // Its skulls and scythes stop naming it before it goes.
    void Die() override;

    // Moves to a random spawn place and throws a skull from every other one.
    void LaunchSkulls();
    int GetPhase() const { return phase; }
    // Frees the slot of a scythe whose time is over.
    void ReleaseScythe(Projectile_Boss2_Garden_Scyte* scythe);
    Projectile_Boss2_Garden_Scyte* GetScythe(int slot) const { return scythes[slot].Get(); }
    bool IsAppearOnly() const { return appearOnly; }
    int GetBobOffset() const { return bobOffset; }

    // The points at which the boss appears and its skulls are thrown, shared by
    // the class; emptied and filled by its spawner from the "spawnzone"
    // placements.
    static std::vector<Point<int>>& SpawnPlaces();
    // The skulls of each spawn place (same index); a skull leaves its group
    // when it goes.
    static std::vector<std::vector<Projectile_Boss2_Garden*>>& SkullGroups();

private:
    void SwapToAttack();
    void SwapToIdle();
    void RestartFade(bool appear);

    GraphicalObject* spriteIdleLeft = nullptr;
    GraphicalObject* spriteIdleRight = nullptr;
    GraphicalObject* spriteAttackLeft = nullptr;
    GraphicalObject* spriteAttackRight = nullptr;
    GraphicalObject* spriteAngryIdleLeft = nullptr;
    GraphicalObject* spriteAngryIdleRight = nullptr;
    GraphicalObject* spriteAngryAttackLeft = nullptr;
    GraphicalObject* spriteAngryAttackRight = nullptr;
    bool appearOnly = false;
    int phase = 1;
    int bobOffset = 0;
    float orbitTurn = 0.0f;
    WeakCharacter<Projectile_Boss2_Garden_Scyte> scythes[kScytheSlots];
};
