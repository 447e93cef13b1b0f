#pragma once

#include "characters/CharacterObject.h"

#include <memory>
#include <string>

class GraphicalObject;

// The blade of a killing mechanism: dormant and unseen until its body
// starts it (position, then state 0); it then plays its forward strike and
// its way back, hurting the player on contact with both, and hides again.
// It cannot be damaged.
class Projectile_Killing_Mechanism : public CharacterObject {
public:
    static constexpr int kStart = 0;
    static constexpr int kForward = 1;
    static constexpr int kBackward = 2;

    explicit Projectile_Killing_Mechanism(std::string name);
    ~Projectile_Killing_Mechanism() override;

    // "NPC_KillingMechanism_Appears" and "NPC_KillingMechanism_Disappears"
    // alone.
    void DeclareSounds() override;
    void Update(double dt) override;
    Point<int> GetSize() const override;

private:
    std::unique_ptr<GraphicalObject> forward;
    std::unique_ptr<GraphicalObject> backward;
};
