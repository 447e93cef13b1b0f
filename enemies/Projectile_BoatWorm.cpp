#include "enemies/Projectile_BoatWorm.h"

#include "enemies/EnemyFramework.h"
#include "enemies/NpcTuning.h"
#include "engine/serial/LineReaders.h"
#include "engine/serial/TypeNames.h"
#include "scene/CollisionShape.h"
#include "scene/GraphicalObject.h"

#include <cmath>
#include <utility>

namespace {

// Snapshots of the flying shot's after-image trail.
constexpr int kTrailLength = 4;

} // namespace

Projectile_BoatWorm::Projectile_BoatWorm(std::string name)
    : CharacterObject(std::move(name))
    , flying(Enemy::CloneGraphical("Projectile_BoatWorm_GraphicalMove"))
    , stuck(Enemy::CloneGraphical("Projectile_BoatWorm_GraphicalFix"))
{
    typeName = TypeNames::Projectile_BoatWorm;
    dropsItems = 0;
    speed = CurrentSpeed();
    state = kFlying;
    currentGraphical = flying.get();
    if (flying != nullptr) {
        const Point<int> s = flying->GetSize();
        collisionShapes.push_back(new CollisionBox<int>(0, s.y - 1, s.x - 1, 0));
    }
    drawInstance.SetTrailLength(kTrailLength);
}

Projectile_BoatWorm::~Projectile_BoatWorm()
{
    currentGraphical = nullptr;
}

float Projectile_BoatWorm::CurrentSpeed()
{
    return NpcTuning::Current().boatWormProjectileSpeed;
}

Point<int> Projectile_BoatWorm::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void Projectile_BoatWorm::Update(double dt)
{
    // The shot runs no base update: it has no life, flash or first frame.
    if (Enemy::ThePlayer() != nullptr && state == kFlying) {
        if (DamagePlayerOnContact())
            dead = true;
        else if (Enemy::TouchesWall(*this, Enemy::CollisionsLayer()))
            dead = true;
    }
    const float length = std::sqrt(direction.x * direction.x + direction.y * direction.y);
    if (length > 0.0f)
        direction = Point<float>(direction.x / length, direction.y / length);
    position += direction * Enemy::StepLength(speed, dt);
    // A shot nothing stopped ends once it is far beyond any level, long
    // before its coordinates could overflow.
    if (!(std::fabs(position.x) <= kMaxCoordinate && std::fabs(position.y) <= kMaxCoordinate))
        dead = true;
    GraphicalObject* before = currentGraphical;
    currentGraphical = flying.get();
    Enemy::StepGraphical(*this, before, dt);
    previousState = state;
}

void Projectile_BoatWorm::ReceiveHit(CharacterObject* /*attacker*/, int /*kind*/, float /*amount*/)
{
    dead = true;
}

void Projectile_BoatWorm::ApplyDamage(CharacterObject* /*attacker*/, int /*damage*/)
{
}
