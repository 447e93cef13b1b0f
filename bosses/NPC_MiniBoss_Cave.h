#pragma once

#include "bosses/BossFrame.h"
#include "bosses/Projectile_MiniBoss_Cave.h"
#include "engine/serial/TypeNames.h"

#include <string>
#include <vector>

class GraphicalObject;

// The cave's mini-boss: a column of three lanterns of this class, the one
// its spawner made (the master) and two that the master makes on its first
// update and carries 64 and 128 pixels above itself. The column sinks out of
// reach while the player is more than 256 pixels away and comes back up
// when the player nears; at home, with the player near, one lantern picked
// at random lights up and fires a beam to both sides. The three share the
// master's life: a hit on any of them lowers it.
class NPC_MiniBoss_Cave : public BossCharacter {
public:
    static constexpr int kRaised = 1;
    static constexpr int kHome = 2;
    static constexpr int kAttacking = 3;
    static constexpr int kBeamPieces = 20;

    explicit NPC_MiniBoss_Cave(std::string name);

    static std::string VersionedClassName() { return "NPC_MiniBoss_Cave" + std::string("V0"); }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    // The base two, then "NPC_Miniboss_Cave_Attack" (index 2).
    void DeclareSounds() override;
    void Update(double dt) override;
    void ResetToStart() override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;
    int GetHitSoundIndex() const override { return hitSoundIndex; }
    // A part that leaves is no longer carried.
    void RemoveChild(CharacterObject* child) override;

    // Lights up: the lit sprite from its first frame.
    void LightUp();
    bool IsMaster() const { return !isPart; }
    const std::vector<NPC_MiniBoss_Cave*>& GetParts() const { return parts; }
    Point<float> GetHome() const { return home; }
    // The speed by move state stays visible beside the flight speed.
    using BossCharacter::GetSpeed;
    float GetSpeed() const { return speed; }
    Projectile_MiniBoss_Cave* BeamCentre() const { return beamCentre.Get(0); }
    Projectile_MiniBoss_Cave* BeamPiece(bool left, int i) const
    {
        return (left ? beamLeft : beamRight).Get(static_cast<size_t>(i));
    }
    bool IsLit() const { return currentGraphical == spriteActive || currentGraphical == spriteAttack; }

private:
    void Steer(double playerX);
    void StepMove(double dt);
    void StartAttack();
    void UpdateSprite(double dt);
    void Fire();
    // The life rule of the master, shared by its parts' hits.
    void TakeHit(CharacterObject* attacker, int damage);
    bool PartsDone() const;

    GraphicalObject* spriteIdle;
    GraphicalObject* spriteActive;
    GraphicalObject* spriteAttack;
    std::vector<NPC_MiniBoss_Cave*> parts;
    Point<float> moveTarget;
    Point<float> home;
    ProjectilePool<Projectile_MiniBoss_Cave> beamCentre;
    ProjectilePool<Projectile_MiniBoss_Cave> beamLeft;
    ProjectilePool<Projectile_MiniBoss_Cave> beamRight;
    // Made by the master (whose link may go before the part does).
    bool isPart = false;
};
