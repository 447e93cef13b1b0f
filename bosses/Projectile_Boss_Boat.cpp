#include "bosses/Projectile_Boss_Boat.h"

#include "enemies/EnemyFramework.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"

#include <utility>

Projectile_Boss_Boat::Projectile_Boss_Boat(std::string name)
    : CharacterObject(std::move(name))
{
    typeName = TypeNames::Projectile_Boss_Boat;
    speed = kSpeed;
    direction = Point<float>(-1.0f, 0.0f);
    SetDrawnInFront(true);
    drawInstance.SetTrailLength(kTrail);
    LoadSounds();
}

Projectile_Boss_Boat::~Projectile_Boss_Boat()
{
    currentGraphical = nullptr;
}

Point<int> Projectile_Boss_Boat::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void Projectile_Boss_Boat::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled)
        return;
    DamagePlayerOnContact();
    position = position + direction * Enemy::StepLength(speed, dt);
    // The look is chosen on first use: a plank for debris, else a fireball.
    if (sprite == nullptr)
        sprite = Enemy::CloneGraphical(
            debrisFlag == 1 ? "Projectile_Boss_Boat_GraphicalDirts" : "Projectile_Boss_Boat_GraphicalIdle");
    GraphicalObject* before = currentGraphical;
    currentGraphical = sprite.get();
    if (currentGraphical != nullptr && currentGraphical != before)
        currentGraphical->RestartAnimations(false);
    if (debrisFlag != 1 && --lifetime < 1)
        dead = true;
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
}
