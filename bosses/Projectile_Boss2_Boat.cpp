#include "bosses/Projectile_Boss2_Boat.h"

#include "enemies/EnemyFramework.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"

#include <utility>

Projectile_Boss2_Boat::Projectile_Boss2_Boat(std::string name)
    : CharacterObject(std::move(name))
    , blade(Enemy::CloneGraphical("Projectile_Boss2_Boat_GraphicalStraight"))
    , sphere(Enemy::CloneGraphical("Projectile_Boss2_Boat_GraphicalSphere"))
{
    typeName = TypeNames::Projectile_Boss2_Boat;
    dropsItems = 0;
    SetDrawnInFront(true);
    LoadSounds();
}

Projectile_Boss2_Boat::~Projectile_Boss2_Boat()
{
    currentGraphical = nullptr;
}

void Projectile_Boss2_Boat::DeclareSounds()
{
    DeclareSound("NPC_Boss_Boat2_Proj");
}

Point<int> Projectile_Boss2_Boat::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void Projectile_Boss2_Boat::Launch(int mode, bool playSound)
{
    direction = Point<float>(0.0f, 1.0f);
    contactDamage = 1;
    // The sphere's animation runs on from where it stands.
    currentGraphical = sphere.get();
    frameCounter = kLaunchWait;
    state = mode == 1 ? kFastLaunch : kSlowLaunch;
    drawInstance.SetTrailLength(kTrail);
    if (playSound)
        PlaySound("NPC_Boss_Boat2_Proj");
}

void Projectile_Boss2_Boat::SetBlade()
{
    currentGraphical = blade.get();
    if (currentGraphical != nullptr)
        currentGraphical->RestartAnimations(false);
    contactDamage = 2;
}

void Projectile_Boss2_Boat::Update(double dt)
{
    CharacterObject::Update(dt);
    if (currentGraphical == nullptr)
        return; // free, waiting in its thrower's pool
    DamagePlayerOnContact();
    position = position + direction * Enemy::StepLength(speed, dt);
    // A blade keeps its offset from the part that threw it, swaying with it.
    if (owner != nullptr)
        position = owner->GetPosition() - direction;
    --frameCounter;
    if (frameCounter <= 0) {
        if (state == kFastLaunch || state == kSlowLaunch) {
            frameCounter = kFlightFrames;
            speed = state == kFastLaunch ? kFastSpeed : kSlowSpeed;
            state = kFlying;
        } else if (currentGraphical->IsAnimationFinished() || speed != 0.0f) {
            speed = 0.0f;
            currentGraphical = nullptr;
            frameCounter = 0;
            state = kFlying;
            drawInstance.SetTrailLength(0);
            return;
        }
    }
    currentGraphical->Update(dt);
    UpdateSounds();
}

Projectile_Boss2_Boat* Projectile_Boss2_Boat::FirstFree(const std::vector<Projectile_Boss2_Boat*>& pool)
{
    for (Projectile_Boss2_Boat* shot : pool)
        if (shot != nullptr && shot->IsFree() && !shot->IsDead())
            return shot;
    return nullptr;
}
