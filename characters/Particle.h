#pragma once

#include "characters/CharacterObject.h"

#include <memory>
#include <string>

class GraphicalEffect;

// One particle of a particle system: a character, so that it has a position,
// a direction, a draw offset and a current graphical, with the motion fields
// of the two system kinds. A particle is alive while it is enabled. It has no
// sounds and no hit flash; its own effect (the blink near the end of its
// life) is owned.
class Particle : public CharacterObject {
public:
    explicit Particle(std::string name);
    ~Particle() override;

    // One step of a steered particle toward its target; dt in milliseconds.
    virtual void Step(double dt);

    bool IsParticleAlive() const { return enabled; }
    void SetParticleAlive(bool alive) { enabled = alive; }

    GraphicalEffect* GetOwnEffect() const { return ownEffect.get(); }
    void SetOwnEffect(std::unique_ptr<GraphicalEffect> effect);

    float travelSpeed = 0.0f;
    float steer = 0.0f;
    Point<float> home;
    Point<float> acceleration;
    Point<float> velocity;
    Point<int> target;
    float age = 0.0f;
    float velocityX = 0.0f;

    // The vertical speed of a local particle (the character's speed field).
    float GetVerticalSpeed() const { return speed; }
    void SetVerticalSpeed(float value) { speed = value; }

private:
    std::unique_ptr<GraphicalEffect> ownEffect;
};
