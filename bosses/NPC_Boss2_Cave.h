#pragma once

#include "bosses/BossFrame.h"
#include "bosses/Projectile_Boss2_Cave.h"
#include "engine/serial/TypeNames.h"

#include <string>

class GraphicalObject;
class SceneObjectHandle;

// The cave's second boss, a great eye that changes colour in a fixed cycle
// and attacks by colour: blue calls up a floating eye, red fires a beam
// across the arena, green raises plant columns from the free markers above
// the player. Its first life bar of 90 ends in a second cycle at 60 life
// that fires the big beam and raises a plant and an eye at each closing.
class NPC_Boss2_Cave : public BossCharacter {
public:
    static constexpr int kClosed = 0;
    static constexpr int kOpening = 1;
    static constexpr int kBlue = 2;
    static constexpr int kRed = 3;
    static constexpr int kGreen = 4;
    static constexpr int kSecondCycle = 5;
    static constexpr int kPoolSize = 480;
    // The name the level gives it: the plants find it by this name.
    static constexpr const char* kLevelName = "boss_cave2";
    static constexpr const char* kMarkerName = "attack_green";
    static constexpr const char* kEyeName = "Projectile_Boss2_Cave_2";

    explicit NPC_Boss2_Cave(std::string name);
    ~NPC_Boss2_Cave() override;

    static std::string VersionedClassName() { return "NPC_Boss2_Cave" + std::string("V0"); }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    void DeclareSounds() override;
    void Update(double dt) override;
    void ResetToStart() override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    // "start" (any letter case) opens the eye and starts the cycle.
    bool HandleScriptCommand(std::string command, std::string argument) override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    // The first plant of the pool that waits, or null when all are in play.
    Projectile_Boss2_Cave* TakeFreePlant() const
    {
        return static_cast<Projectile_Boss2_Cave*>(plantPool.FirstFree());
    }
    const ProjectilePool<Projectile_Boss2_Cave>& Plants() const { return plantPool; }
    // The shot in play, or null.
    CharacterObject* GetShot() const;
    int GetPlantsLeft() const { return plantsLeft; }
    bool IsBigShotFired() const { return bigShotFired; }

private:
    void StepStates();
    void UpdateSprite();
    // Raises a plant under the free marker nearest above the player.
    void RaisePlant();
    void CallEye();
    void Fire(int event);
    void DropShot(bool kill);

    GraphicalObject* spriteOpen;
    GraphicalObject* spriteClose;
    GraphicalObject* spriteBlue;
    GraphicalObject* spriteRed;
    GraphicalObject* spriteGreen;
    GraphicalObject* spriteClosingOpen2;
    GraphicalObject* spriteOpen2;
    GraphicalObject* spriteShotSmall;
    GraphicalObject* spriteShotBig;
    bool bigShotFired = false;
    int plantsLeft = 0;
    int frameCounter = 0;
    SceneObjectHandle* shotHandle = nullptr;
    ProjectilePool<Projectile_Boss2_Cave> plantPool;
};
