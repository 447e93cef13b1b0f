#include "enemies/Projectile_Ins_Acid.h"

#include "enemies/EnemyFramework.h"
#include "engine/serial/TypeNames.h"
#include "scene/CollisionShape.h"
#include "scene/GraphicalObject.h"

#include <algorithm>
#include <utility>

namespace {

// Speed gained every update of the fall.
constexpr float kGravity = 2.0f;

} // namespace

Projectile_Ins_Acid::Projectile_Ins_Acid(std::string name)
    : CharacterObject(std::move(name))
    , falling(Enemy::CloneGraphical("Projectile_Ins_Acid_GraphicalIdle"))
    , burst(Enemy::CloneGraphical("Projectile_Ins_Acid_GraphicalTouch"))
{
    typeName = TypeNames::Projectile_Ins_Acid;
    dropsItems = 0;
    currentGraphical = falling.get();
    speed = 0.0f;
    stateTimer = kLifetime;
    if (falling != nullptr) {
        const Point<int> s = falling->GetSize();
        collisionShapes.push_back(new CollisionBox<int>(0, s.y - 1, s.x - 1, 0));
    }
}

Projectile_Ins_Acid::~Projectile_Ins_Acid()
{
    currentGraphical = nullptr;
}

Point<int> Projectile_Ins_Acid::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void Projectile_Ins_Acid::Update(double dt)
{
    CharacterObject::Update(dt);
    if (Enemy::ThePlayer() == nullptr)
        return;
    // Without a burst look there is nothing to wait for.
    if (state == kBurst && (burst == nullptr || burst->IsAnimationFinished()))
        dead = true;
    if (state == kFalling) {
        --stateTimer;
        if (DamagePlayerOnContact()) {
            state = kBurst;
        } else if (Enemy::TouchesWall(*this, Enemy::CollisionsLayer(), true)) {
            // Any box stops a drop, a wooden platform's as well as a wall.
            state = kBurst;
        } else {
            speed = std::min(speed + kGravity, kMaxSpeed);
            direction = Point<float>(0.0f, -1.0f);
            position += direction * Enemy::StepLength(speed, dt);
        }
        if (stateTimer < 1)
            dead = true;
    }
    GraphicalObject* before = currentGraphical;
    currentGraphical = state == kFalling ? falling.get() : burst.get();
    if (currentGraphical != nullptr) {
        if (currentGraphical != before)
            currentGraphical->RestartAnimations(true);
        currentGraphical->Update(dt);
    }
    previousState = state;
}
