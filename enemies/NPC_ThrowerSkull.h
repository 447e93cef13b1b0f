#pragma once

#include "enemies/NPC_FloatingSkull.h"

#include <memory>
#include <string>

// A floating skull that wanders its zone without ever chasing and throws a
// Projectile_Thrower when the player enters the thrower's trigger box above
// it; after a throw it waits 100 frames. It stands still while it throws.
class NPC_ThrowerSkull : public NPC_FloatingSkull {
public:
    static constexpr int kThrowWait = 100;

    explicit NPC_ThrowerSkull(std::string name);
    ~NPC_ThrowerSkull() override;

    // The base character's sounds, then "NPC_SkullThrower_Attack".
    void DeclareSounds() override;
    void Update(double dt) override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;

    bool IsThrowing() const;

private:
    void Throw(const CharacterObject& player);

    std::unique_ptr<GraphicalObject> throwingLeft;
    std::unique_ptr<GraphicalObject> throwingRight;
};
