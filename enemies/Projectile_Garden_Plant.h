#pragma once

#include "characters/CharacterObject.h"

#include <memory>
#include <string>

class GraphicalObject;

// One 32 x 32 piece of a garden plant's stem: it hurts the player on contact
// and, when struck, plays its dying look and goes, telling its plant.
class Projectile_Garden_Plant : public CharacterObject {
public:
    static constexpr int kAlive = 0;
    static constexpr int kDying = 1;

    explicit Projectile_Garden_Plant(std::string name);
    ~Projectile_Garden_Plant() override;

    void Update(double dt) override;
    Point<int> GetSize() const override;
    // A hit loses no life: it starts the dying look.
    void ApplyDamage(CharacterObject* attacker, int damage) override;
    // Leaves its plant's stem; a piece has no death sequence of its own.
    void Die() override;
    virtual bool IsIdle() const { return state == kAlive; }

    // The living look, which becomes the current graphical (owned).
    void SetSprite(std::unique_ptr<GraphicalObject> look);
    void SetDieSprite(std::unique_ptr<GraphicalObject> look);
    GraphicalObject* GetSprite() const { return sprite.get(); }
    GraphicalObject* GetDieSprite() const { return dieSprite.get(); }

private:
    std::unique_ptr<GraphicalObject> sprite;
    std::unique_ptr<GraphicalObject> dieSprite;
};
