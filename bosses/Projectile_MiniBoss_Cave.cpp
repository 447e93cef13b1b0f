#include "bosses/Projectile_MiniBoss_Cave.h"

#include "scene/GraphicalObject.h"

Projectile_MiniBoss_Cave::Projectile_MiniBoss_Cave(std::string name)
    : BossCharacter(std::move(name), "Projectile_MiniBoss_Cave")
    , spriteCentre(sprites.Add("GraphicalCenter"))
    , spriteBeam(sprites.Add("GraphicalBeam"))
{
    typeName = TypeNames::Projectile_MiniBoss_Cave;
    contactDamage = 2;
    dropsItems = 0;
    direction = Point<float>(0.0f, 0.0f);
    currentGraphical = spriteBeam;
}

bool Projectile_MiniBoss_Cave::Draw(DXGraphicalSurface* target, Point<int> offset)
{
    return enabled ? BossCharacter::Draw(target, offset) : true;
}

void Projectile_MiniBoss_Cave::FireCentre(Point<float> at)
{
    enabled = true;
    SetPosition(at);
    currentGraphical = nullptr;
    Show(spriteCentre);
}

void Projectile_MiniBoss_Cave::FireBeam(Point<float> at)
{
    enabled = true;
    SetPosition(at);
    currentGraphical = nullptr;
    Show(spriteBeam);
}

void Projectile_MiniBoss_Cave::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled)
        return;
    if (currentGraphical != nullptr && currentGraphical->IsAnimationFinished())
        currentGraphical = nullptr;
    if (currentGraphical != nullptr)
        DamagePlayerOnContact();
    Boss::Move(*this, speed, dt);
    Animate(dt);
}
