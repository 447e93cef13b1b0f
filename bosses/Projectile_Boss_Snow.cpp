#include "bosses/Projectile_Boss_Snow.h"

#include "enemies/EnemyFramework.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr float kApexShare = 0.1f;
constexpr int kApexRise = 128;
constexpr float kNearApex = 4096.0f;
constexpr float kNearTarget = 1024.0f;
constexpr float kPull = 0.2f;
constexpr float kFlyOn = 1000.0f;

Point<float> Unit(Point<float> v)
{
    const float length = std::sqrt(v.x * v.x + v.y * v.y);
    return length > 0.0f ? v * (1.0f / length) : v;
}

} // namespace

Projectile_Boss_Snow::Projectile_Boss_Snow(std::string name)
    : CharacterObject(std::move(name))
    , sprite(Enemy::CloneGraphical("Projectile_Boss_Snow_Sq"))
{
    typeName = TypeNames::Projectile_Boss_Snow;
    currentGraphical = sprite.get();
    state = kThrown;
    drawInstance.SetTrailLength(3);
    LoadSounds();
}

Projectile_Boss_Snow::~Projectile_Boss_Snow()
{
    currentGraphical = nullptr;
}

void Projectile_Boss_Snow::DeclareSounds()
{
    CharacterObject::DeclareSounds();
}

Point<int> Projectile_Boss_Snow::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void Projectile_Boss_Snow::MakeRect()
{
    sprite = Enemy::CloneGraphical("Projectile_Boss_Snow_Rect");
    currentGraphical = sprite.get();
    speed = kFallSpeed;
    state = kFalling;
    drawInstance.SetTrailLength(0);
}

void Projectile_Boss_Snow::Update(double dt)
{
    // The blocks run without the base step: they are never disabled.
    DamagePlayerOnContact();
    if (currentGraphical != nullptr && state == kThrown) {
        if (--frameCounter < 1)
            dead = true;
        const Point<int> d = targetPoint - startPoint;
        const Point<int> apex(static_cast<int>(static_cast<float>(startPoint.x) + kApexShare * d.x),
            std::max(startPoint.y, targetPoint.y) + kApexRise);
        if (speed == 0.0f)
            speed = kMaxSpeed;
        if (!passedTarget) {
            if ((d.x > 0 && position.x < apex.x) || (d.x < 0 && position.x > apex.x)) {
                direction = apex.ToFloat() - position;
                if (direction.x * direction.x + direction.y * direction.y > kNearApex)
                    speed = kMaxSpeed;
                else
                    speed = std::max(speed - 0.5f, 1.0f);
                direction = Unit(direction);
            } else {
                Point<float> v = targetPoint.ToFloat() - position;
                if (v.x * v.x + v.y * v.y <= kNearTarget) {
                    passedTarget = true;
                    const Point<float> on = position + direction * kFlyOn;
                    targetPoint = Point<int>(static_cast<int>(on.x), static_cast<int>(on.y));
                }
                v = Unit(v);
                speed = std::min(speed + 0.5f, kMaxSpeed);
                direction = direction + v * kPull;
                const float length = std::sqrt(direction.x * direction.x + direction.y * direction.y);
                if (length >= 1.0f)
                    direction = direction * (1.0f / length);
            }
        }
    }
    position = position + direction * Enemy::StepLength(speed, dt);
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
}
