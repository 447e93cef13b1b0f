#pragma once

#include "bosses/BossFrame.h"
#include "characters/CharacterObject.h"

#include <memory>
#include <string>
#include <vector>

class Projectile_Boss_Final;

// The first form of the final boss, in the Crypt: a floating figure that
// sweeps 768 pixels left and right while it bobs, raises a ring of eight
// orbiting eyes that shield it from the armours' area attack, slides ground
// shots toward the player and, at each change of phase, throws a burst of
// heads that turn into floating skulls. Its phases follow its life (140 and
// 80 of 200); it announces the end of each by its name followed by
// "_State_1", "_State_2" and "_State_3". Once its life is gone it fades,
// throws a last burst, and leaves only when no skull of its heads and none of
// its projectiles is left. It is invisible and inert until "start".
class NPC_Boss_Final : public CharacterObject {
public:
    static constexpr int kWaiting = 0;
    static constexpr int kPhase1 = 1;
    static constexpr int kPhase2 = 2;
    static constexpr int kPhase3 = 3;
    static constexpr int kDying = 4;
    static constexpr int kMaxLife = 200;
    static constexpr int kPoolSize = 30;
    // The pool grows past its 30 only while every one is in use, and never
    // beyond this bound (far above any fight), so it cannot grow without end.
    static constexpr int kPoolLimit = 256;
    static constexpr int kRingSize = 8;
    static constexpr int kSweep = 768;

    explicit NPC_Boss_Final(std::string name);
    ~NPC_Boss_Final() override;

    // Exactly "NPC_Boss_Final_Appears" and "NPC_Boss_Final_SkullsAppear".
    void DeclareSounds() override;
    void Update(double dt) override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    // "start" only; "enable", "disable" and every other word do nothing.
    bool HandleScriptCommand(std::string command, std::string argument) override;
    void ResetToStart() override;
    Point<int> GetSize() const override;
    // Not while ghosted (a colour effect): blows then pass through it.
    bool IsHitByBox(Rect<int> box, bool flag) override;
    // While eyes ring the boss an area attack only recolours them.
    void ReceiveHit(CharacterObject* attacker, int kind, float amount) override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    // One head of a burst every 5 frames while a burst lasts.
    void EmitProjectiles();
    // The first free projectile of the pool, reset and enabled; when every
    // one is in play a new one is made and appended (the pool never
    // shrinks); null only once the pool holds kPoolLimit.
    Projectile_Boss_Final* AcquireProjectile();
    void RemoveFromRing(Projectile_Boss_Final* projectile);
    // The eyes of the ring take the look of the hit kind (2 ice, 1 fire).
    void ColourRing(int hitKind);

    const std::vector<Projectile_Boss_Final*>& GetRing() const { return ring; }
    ProjectilePool<Projectile_Boss_Final>& GetPool() { return pool; }
    Point<int> GetHomePosition() const { return homePosition; }
    int GetShotTimer() const { return shotTimer; }
    int GetRingCountdown() const { return ringCountdown; }
    int GetBurstCount() const { return burstCount; }
    int GetBobAmplitude() const { return bobAmplitude; }
    int GetGhostCycleTimer() const { return ghostCycleTimer; }
    bool IsGhosted() const;
    GraphicalObject* GetPhaseSprite(int phase) const;

private:
    void StepEffect();
    void StepGhostCycle();
    void Sweep();
    void RaiseRing();
    void ShootAlongTheGround();

    std::unique_ptr<GraphicalObject> spriteIdle;
    std::unique_ptr<GraphicalObject> spriteIdleB;
    std::unique_ptr<GraphicalObject> spriteIdleC;
    Point<int> homePosition;
    int32_t frameCounter = 0;
    int32_t shotTimer = 300;
    std::vector<Projectile_Boss_Final*> ring;
    int32_t bobPhase = 0;
    int32_t bobAmplitude = 4;
    int32_t ringCountdown = 0;
    int32_t burstDelay = 0;
    int32_t burstCount = 0;
    int32_t ghostReturnTimer = 0;
    int32_t ghostCycleTimer = 1;
    ProjectilePool<Projectile_Boss_Final> pool;
};
