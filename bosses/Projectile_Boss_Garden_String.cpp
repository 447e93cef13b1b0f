#include "bosses/Projectile_Boss_Garden_String.h"

#include "characters/CharacterGameAccess.h"
#include "enemies/EnemyFramework.h"
#include "scene/GraphicalObject.h"

#include <utility>

Projectile_Boss_Garden_String::Projectile_Boss_Garden_String(std::string name)
    : CharacterObject(std::move(name))
{
    typeName = TypeNames::Projectile_Boss_Garden_String;
    contactDamage = 2;
    dropsItems = 0;
}

Projectile_Boss_Garden_String::~Projectile_Boss_Garden_String()
{
    currentGraphical = nullptr;
}

Point<int> Projectile_Boss_Garden_String::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void Projectile_Boss_Garden_String::FetchSprites()
{
    CharacterGameAccess* game = GetCharacterGameAccess();
    if (game == nullptr)
        return;
    // The whole links are the library's own; the broken ones are copies.
    if (state == kHorizontal) {
        spriteChainHorizontal = game->FindGraphicalObject("Projectile_Boss_Garden_GraphicalChainHorizontal");
        spriteChainHorizontalBroken
            = Enemy::CloneGraphical("Projectile_Boss_Garden_GraphicalChainHorizontal_Broken");
    } else if (state == kVertical) {
        spriteChainVertical = game->FindGraphicalObject("Projectile_Boss_Garden_GraphicalChainVertical");
        spriteChainVerticalBroken
            = Enemy::CloneGraphical("Projectile_Boss_Garden_GraphicalChainVertical_Broken");
    }
}

void Projectile_Boss_Garden_String::Update(double dt)
{
    CharacterObject::Update(dt);
    if (stateTimer > 0)
        --stateTimer;
    GraphicalObject* before = currentGraphical;
    if (state == kHorizontal)
        currentGraphical = spriteChainHorizontal;
    else if (state == kVertical)
        currentGraphical = spriteChainVertical;
    else if (state == kHorizontalBreaking && stateTimer == 0)
        currentGraphical = spriteChainHorizontalBroken.get();
    else if (state == kVerticalBreaking && stateTimer == 0)
        currentGraphical = spriteChainVerticalBroken.get();
    if (currentGraphical != before && currentGraphical != nullptr)
        currentGraphical->RestartAnimations(true);
    if (currentGraphical == nullptr)
        return;
    currentGraphical->Update(dt);
    const bool broken = currentGraphical == spriteChainHorizontalBroken.get()
        || currentGraphical == spriteChainVerticalBroken.get();
    if (broken && currentGraphical->IsAnimationFinished())
        dead = true;
}
