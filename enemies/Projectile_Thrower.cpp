#include "enemies/Projectile_Thrower.h"

#include "enemies/EnemyFramework.h"
#include "enemies/NPC_Thrower.h"
#include "enemies/NpcTuning.h"
#include "engine/serial/LineReaders.h"
#include "engine/serial/TypeNames.h"
#include "scene/CollisionShape.h"
#include "scene/GraphicalObject.h"

#include <cmath>
#include <utility>

namespace {

// The after-image trail of a flying shot: snapshots and their spacing.
constexpr int kTrailLength = 10;
constexpr int kTrailSpacing = 2;

} // namespace

Projectile_Thrower::Projectile_Thrower(std::string name)
    : CharacterObject(std::move(name))
    , flyingLeft(Enemy::CloneGraphical("Projectile_Thrower_GraphicalIdleL"))
    , flyingRight(Enemy::CloneGraphical("Projectile_Thrower_GraphicalIdleR"))
    , burst(Enemy::CloneGraphical("Projectile_Thrower_GraphicalTouch"))
{
    typeName = TypeNames::Projectile_Thrower;
    dropsItems = 0;
    if (burst != nullptr) {
        const Point<int> s = burst->GetSize();
        collisionShapes.push_back(new CollisionLine<int>(Point<int>(0, s.y - 1), Point<int>(s.x - 1, 0)));
    }
    speed = NPC_Thrower::GetProjectileSpeed();
    direction = NPC_Thrower::GetProjectileBaseDirection();
    currentGraphical = burst.get();
    drawInstance.SetTrailLength(kTrailLength);
    drawInstance.SetTrailSpacing(kTrailSpacing);
}

Projectile_Thrower::~Projectile_Thrower()
{
    currentGraphical = nullptr;
}

Point<int> Projectile_Thrower::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void Projectile_Thrower::Update(double dt)
{
    // The shot runs no base update: it has no life, flash or first frame.
    if (Enemy::ThePlayer() != nullptr) {
        if (state == kFlying) {
            if (DamagePlayerOnContact())
                state = kBurst;
            else if (Enemy::TouchesWall(*this, Enemy::CollisionsLayer()))
                state = kBurst;
        }
        // Without a burst look there is nothing to wait for.
        if (state == kBurst && (burst == nullptr || burst->IsAnimationFinished()))
            dead = true;
    }
    if (state != kBurst) {
        const float step = Enemy::StepLength(speed, dt);
        direction -= NPC_Thrower::GetProjectileAttenuation();
        position += direction * step;
        // A shot nothing stopped ends once it is far beyond any level, long
        // before its coordinates could overflow.
        if (!(std::fabs(position.x) <= kMaxCoordinate && std::fabs(position.y) <= kMaxCoordinate))
            dead = true;
    }
    GraphicalObject* before = currentGraphical;
    if (state == kFlying)
        currentGraphical = direction.x >= 0.0f ? flyingRight.get() : flyingLeft.get();
    else
        currentGraphical = burst.get();
    if (currentGraphical != nullptr) {
        if (currentGraphical != before)
            currentGraphical->RestartAnimations(true);
        currentGraphical->Update(dt);
    }
    previousState = state;
}

void Projectile_Thrower::ReceiveHit(CharacterObject* /*attacker*/, int /*kind*/, float /*amount*/)
{
    dead = true;
}

void Projectile_Thrower::ApplyDamage(CharacterObject* /*attacker*/, int /*damage*/)
{
}
