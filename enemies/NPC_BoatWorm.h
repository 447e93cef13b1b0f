#pragma once

#include "characters/CharacterObject.h"

#include <memory>
#include <string>

class GraphicalObject;

// A worm of the boat that never moves. It idles until the player's body
// enters the "boatworm" "triggerzone" rectangle hanging below its top row,
// plays its attack and, when that ends, spits one Projectile_BoatWorm at the
// player's centre from the attack's spawn point; then it rests "wait"
// updates before it can attack again. It hurts on contact.
class NPC_BoatWorm : public CharacterObject {
public:
    static constexpr int kIdle = 0;
    static constexpr int kAttack = 1;
    static constexpr int kRest = 2;
    // The rest after an attack that could make no shot.
    static constexpr int kFailedShotRest = 10;

    explicit NPC_BoatWorm(std::string name);
    ~NPC_BoatWorm() override;

    // The base's sounds, then "NPC_BoatWorm_Attack".
    void DeclareSounds() override;
    void Update(double dt) override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    Point<int> GetSize() const override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    // The trigger rectangle in world coordinates.
    Rect<int> TriggerRect() const;

private:
    void Shoot();

    std::unique_ptr<GraphicalObject> idle;
    std::unique_ptr<GraphicalObject> attack;
};
