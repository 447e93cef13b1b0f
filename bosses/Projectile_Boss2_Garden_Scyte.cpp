#include "bosses/Projectile_Boss2_Garden_Scyte.h"

#include "bosses/NPC_Boss2_Garden.h"
#include "enemies/EnemyFramework.h"
#include "scene/GraphicalObject.h"

#include <utility>

namespace {

constexpr int kLifeFrames = 150;

} // namespace

Projectile_Boss2_Garden_Scyte::Projectile_Boss2_Garden_Scyte(std::string name)
    : CharacterObject(std::move(name))
{
    typeName = TypeNames::Projectile_Boss2_Garden_Scyte;
    stateTimer = kLifeFrames;
    LoadSounds();
}

Projectile_Boss2_Garden_Scyte::~Projectile_Boss2_Garden_Scyte()
{
    currentGraphical = nullptr;
}

void Projectile_Boss2_Garden_Scyte::DeclareSounds()
{
    DeclareSound("Crossbow_Break");
    deathSoundIndex = 0;
}

Point<int> Projectile_Boss2_Garden_Scyte::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void Projectile_Boss2_Garden_Scyte::TakeLook(GraphicalObject* copy)
{
    currentGraphical = nullptr;
    look.reset(copy);
    currentGraphical = look.get();
}

void Projectile_Boss2_Garden_Scyte::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    if (exploding)
        return;
    dropsItems = 0;
    if (--stateTimer < 1) {
        dead = true;
        if (auto* ghost = dynamic_cast<NPC_Boss2_Garden*>(GetOwner()))
            ghost->ReleaseScythe(this);
    }
    DamagePlayerOnContact();
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
}
