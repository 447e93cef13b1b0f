#pragma once

#include "characters/CharacterObject.h"

#include <memory>
#include <string>

class GraphicalObject;
class Player;

// A stationary enemy that waits for the player in a trigger rectangle above
// it ("thrower" "triggerzone", centred on it), plays its attack, throws one
// Projectile_Thrower toward the player's side, reloads and waits again.
// Touching it does not hurt; a fire area hit counts twice. At zero life it
// runs its death sequence and stays in the level, dead.
class NPC_Thrower : public CharacterObject {
public:
    static constexpr int kIdle = 0;
    static constexpr int kDead = 1;
    static constexpr int kAttack = 2;
    static constexpr int kReload = 3;
    static constexpr int kThrown = 20;

    explicit NPC_Thrower(std::string name);
    ~NPC_Thrower() override;

    // The base's sounds, then "NPC_Thrower_Attack".
    void DeclareSounds() override;
    void Update(double dt) override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    Point<int> GetSize() const override;
    void ReceiveHit(CharacterObject* attacker, int kind, float amount) override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    bool IsActive() const { return state != kDead; }

    // The class-wide values every new Projectile_Thrower starts with (its
    // velocity and speed) and loses each step (the attenuation).
    static Point<float> GetProjectileBaseDirection();
    static Point<float> GetProjectileAttenuation();
    static float GetProjectileSpeed();

private:
    // The trigger rectangle placed on the thrower, in world coordinates.
    Rect<int> TriggerRect() const;
    void Throw(const Player& player);

    std::unique_ptr<GraphicalObject> idle;
    std::unique_ptr<GraphicalObject> deadLook;
    std::unique_ptr<GraphicalObject> attack;
    std::unique_ptr<GraphicalObject> reload;
};
