#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/TypeNames.h"

#include <memory>
#include <string>

class GraphicalObject;

// A crossbow bolt caught by the orchard's ghost: it circles the ghost for 150
// frames showing the bolt's look and hurts the player on touch.
class Projectile_Boss2_Garden_Scyte : public CharacterObject {
public:
    explicit Projectile_Boss2_Garden_Scyte(std::string name);
    ~Projectile_Boss2_Garden_Scyte() override;

    // Only "Crossbow_Break" (index 0), its death sound.
    void DeclareSounds() override;
    void Update(double dt) override;
    Point<int> GetSize() const override;
    // Shows its own copy of the look.
    void TakeLook(GraphicalObject* copy);

private:
    std::unique_ptr<GraphicalObject> look;
};
