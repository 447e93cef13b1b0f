#pragma once

#include "characters/CharacterObject.h"

#include <cstdint>
#include <memory>
#include <string>

class GraphicalObject;

// A shot of the lonely head's fan: it flies from its launch vector under a
// constant downward pull, hurts the player on contact and lasts 66 updates.
// Hits do not harm it.
class Projectile_Lonely_Head : public CharacterObject {
public:
    static constexpr int kLifetime = 66;
    // The pull, taken from the direction once per update.
    static constexpr float kPull = 0.1f;

    explicit Projectile_Lonely_Head(std::string name);
    ~Projectile_Lonely_Head() override;

    void Update(double dt) override;
    Point<int> GetSize() const override;

    int GetLifetime() const { return lifetime; }

private:
    std::unique_ptr<GraphicalObject> look;
    int32_t lifetime = kLifetime;
};
