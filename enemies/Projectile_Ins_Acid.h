#pragma once

#include "characters/CharacterObject.h"

#include <memory>
#include <string>

class GraphicalObject;

// The insect's acid drop: it falls ever faster (to 8.5 cells a second),
// bursts on the player it hurts or on a wall of "Collisions", and leaves
// once the burst has played or after 150 updates of falling. It cannot be
// damaged.
class Projectile_Ins_Acid : public CharacterObject {
public:
    static constexpr int kFalling = 0;
    static constexpr int kBurst = 1;
    static constexpr int kLifetime = 150;
    static constexpr float kMaxSpeed = 8.5f;

    explicit Projectile_Ins_Acid(std::string name);
    ~Projectile_Ins_Acid() override;

    void Update(double dt) override;
    Point<int> GetSize() const override;

private:
    std::unique_ptr<GraphicalObject> falling;
    std::unique_ptr<GraphicalObject> burst;
};
