#pragma once

#include "enemies/NPC_CrouchSkull.h"

#include <string>

// The snow's crouching skull: drawn through the ghost effect and out of
// reach of every blow until the ice armour freezes it, which swaps in its
// frozen looks for good. An ice area hit counts twice.
class NPC_CrouchSkull_Ghost : public NPC_CrouchSkull {
public:
    explicit NPC_CrouchSkull_Ghost(std::string name);

    void Update(double dt) override;
    bool IsHitByBox(Rect<int> box, bool flag) override;
    bool IsFreezable() const override { return ghost; }
    // Clears the ghost flag and turns the skull to ice.
    void Freeze() override;

    // Set until the skull is frozen.
    bool ghost = true;

protected:
    int WeakKind() const override { return 2; }
};
