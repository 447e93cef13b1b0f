#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/TypeNames.h"

#include <memory>
#include <string>

class GraphicalObject;

// A beam of the vault boss's side parts: it shows at once, aims for 60
// frames, sweeps a quarter turn in 60 more, holds, and ends 150 frames after
// it appeared. It hurts through the exact test of its turned box against the
// player's body (lower in spider form).
class Projectile_Boss2_Bibli_LaserBeam : public CharacterObject {
public:
    explicit Projectile_Boss2_Bibli_LaserBeam(std::string name);
    ~Projectile_Boss2_Bibli_LaserBeam() override;

    void Update(double dt) override;
    Point<int> GetSize() const override;
    bool DamagePlayerOnContact() override;
    bool HitsPlayer();

    float GetAngle() const { return angle; }

private:
    std::unique_ptr<GraphicalObject> spriteLeft;
    std::unique_ptr<GraphicalObject> spriteRight;
    float angle = 0.0f;
};
