#include "characters/Particle.h"

#include "engine/render/GraphicalEffect.h"
#include "engine/render/ShaderEffect_TimeDependent.h"

#include <utility>

Particle::Particle(std::string name_)
    : CharacterObject(std::move(name_), false)
{
    typeName = "Particle";
    enabled = false;
    UnloadSounds(true);
    hitFlash.reset();
}

Particle::~Particle() = default;

void Particle::SetOwnEffect(std::unique_ptr<GraphicalEffect> effect)
{
    ownEffect = std::move(effect);
}

void Particle::Step(double dt)
{
    const float stepLength = static_cast<float>(travelSpeed * 32.0 * dt * 0.001);
    Point<float> toward = target.ToFloat() - home;
    const float length = toward.Length();
    if (length != 0.0f)
        toward = toward / length;
    velocity += toward * steer;
    const float squared = velocity.x * velocity.x + velocity.y * velocity.y;
    if (squared > 1.0f)
        velocity = velocity / std::sqrt(squared);
    home = home + velocity * stepLength;
    age += 1.0f;
}
