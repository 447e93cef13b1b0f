#include "bosses/Projectile_MiniBoss_Snow.h"

#include "bosses/BossFrame.h"
#include "bosses/NPC_MiniBoss_Snow.h"
#include "characters/Player.h"
#include "enemies/EnemyFramework.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"

#include <cmath>
#include <numbers>
#include <utility>

Projectile_MiniBoss_Snow::Projectile_MiniBoss_Snow(std::string name)
    : CharacterObject(std::move(name))
    , target(Enemy::CloneGraphical("Projectile_MiniBoss_Snow_GraphicalTarget"))
    , shard(Enemy::CloneGraphical("Projectile_MiniBoss_Snow_GraphicalProjectile"))
{
    typeName = TypeNames::Projectile_MiniBoss_Snow;
    life = kLife;
    state = kThrown;
    dropsItems = 0;
    contactDamage = 2;
    drawInstance.SetTrailLength(kTrail);
    LoadSounds();
}

Projectile_MiniBoss_Snow::~Projectile_MiniBoss_Snow()
{
    currentGraphical = nullptr;
}

Point<int> Projectile_MiniBoss_Snow::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void Projectile_MiniBoss_Snow::MakeTarget(float angle, Point<float> offset)
{
    currentGraphical = target.get();
    orbitOffset = offset;
    orbitAngle = angle;
    state = kTarget;
    drawInstance.SetTrailLength(0);
    madeTarget = true;
}

void Projectile_MiniBoss_Snow::ResetToStart()
{
    // A target made before its first update stays one.
    if (madeTarget)
        currentGraphical = target.get();
}

void Projectile_MiniBoss_Snow::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled)
        return;
    DamagePlayerOnContact();
    if (currentGraphical != nullptr)
        orbitAngle = std::fmod(orbitAngle + kOrbitStep, 360.0f);
    if (state == kTarget && owner != nullptr) {
        Point<float> v = orbitOffset;
        Boss::RotateVector(v, orbitAngle * 2.0f * std::numbers::pi_v<float> / 360.0f);
        position = v + kOrbitCentre + owner->GetPosition();
    }
    if (state == kThrown) {
        speed = kThrownSpeed;
        direction = Boss::Normalized(direction);
        position = position + direction * Enemy::StepLength(kThrownSpeed, dt);
        --frameCounter;
        currentGraphical = shard.get();
    }
    if (frameCounter <= 0)
        dead = true;
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
}

void Projectile_MiniBoss_Snow::ApplyDamage(CharacterObject* attacker, int damage)
{
    CharacterObject::ApplyDamage(attacker, damage);
    if (attacker == nullptr)
        return;
    life = life > 0 ? life - damage : 0;
    auto* boss = dynamic_cast<NPC_MiniBoss_Snow*>(owner);
    if (boss == nullptr)
        return; // a thrown shard only loses life
    if (life <= 0) {
        if (dead)
            return; // broken already: its breaking blow has been counted
        dead = true;
        boss->ApplyDamage(attacker, 1);
        if (boss->GetLife() < 1)
            PlayCharacterHitSound(boss);
        else
            boss->ThrowProjectile();
        return;
    }
    boss->ApplyDamage(attacker, 0);
    boss->ThrowProjectile();
}
