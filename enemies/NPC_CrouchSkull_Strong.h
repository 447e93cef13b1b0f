#pragma once

#include "enemies/NPC_CrouchSkull.h"

#include <string>

// The bigger crouching skull: three points of life, no item, and at its
// death it releases one floating skull, 64 pixels further from the player.
class NPC_CrouchSkull_Strong : public NPC_CrouchSkull {
public:
    explicit NPC_CrouchSkull_Strong(std::string name);

    void Update(double dt) override;
    // The crouching skull's rule; the hit that ends its life releases the
    // floating skull, once, however low the life falls (a further blow on a
    // skull whose life is already below 0 releases nothing).
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    bool HasReleased() const { return released; }

private:
    void ReleaseFloatingSkull();

    bool released = false;
};
