#include "bosses/NPC_MiniBoss_Snow.h"

#include "bosses/Projectile_MiniBoss_Snow.h"
#include "characters/Player.h"
#include "enemies/EnemyFramework.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_MiniBoss_Snow.h"

#include <utility>

NPC_MiniBoss_Snow::NPC_MiniBoss_Snow(std::string name)
    : BossCharacter(std::move(name), "NPC_MiniBoss_Snow")
{
    typeName = TypeNames::NPC_MiniBoss_Snow;
    idle = sprites.Add("GraphicalIdle");
    attack = sprites.Add("GraphicalAttack");
    dieLook = sprites.Add("GraphicalDie");
    life = kLife;
    contactDamage = 2;
    currentGraphical = idle;
    LoadSounds();
}

NPC_MiniBoss_Snow::~NPC_MiniBoss_Snow()
{
    currentGraphical = nullptr;
}

void NPC_MiniBoss_Snow::DeclareSounds()
{
    CharacterObject::DeclareSounds();
    DeclareSound("NPC_Miniboss_Snow_Proj");
}

std::vector<GraphicalObject*> NPC_MiniBoss_Snow::GetRelatedGraphicalObjects()
{
    return Boss::Related("MiniBoss_Snow");
}

bool NPC_MiniBoss_Snow::IsHitByBox(Rect<int> /*box*/, bool /*flag*/)
{
    return false;
}

void NPC_MiniBoss_Snow::ResetToStart()
{
    for (int i = 0; i < kTargets; ++i) {
        auto* target = Boss::CreateAs<Projectile_MiniBoss_Snow>("Projectile_MiniBoss_Snow");
        if (target == nullptr)
            continue;
        target->MakeTarget(static_cast<float>(i) * 120.0f, Point<float>(0.0f, kOrbitRadius));
        target->SetOwner(this);
    }
}

void NPC_MiniBoss_Snow::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    if (exploding)
        return;
    // A throw's look stays once played; a disable clears the look, and the
    // idle one comes back when the mini-boss is enabled again.
    if (currentGraphical == nullptr)
        currentGraphical = idle;
    DamagePlayerOnContact();
    position = position + direction * Enemy::StepLength(speed, dt);
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
    UpdateSounds();
}

void NPC_MiniBoss_Snow::ThrowProjectile()
{
    currentGraphical = attack;
    if (attack == nullptr)
        return;
    attack->RestartAnimations(false);
    const Point<float> mouth = position + kMouth;
    PlaySound("NPC_Miniboss_Snow_Proj");
    auto* shard = Boss::CreateAs<Projectile_MiniBoss_Snow>("Projectile_MiniBoss_Snow");
    if (shard == nullptr)
        return;
    shard->SetPosition(mouth - Point<float>(32.0f, 32.0f));
    Player* player = Boss::ThePlayer();
    if (player == nullptr)
        return;
    const std::vector<Rect<int>> hurt = player->GetHurtBoxes();
    Point<float> aim = player->GetCenter();
    if (!hurt.empty()) {
        const Point<int> c = GetBoxCenter(hurt.front());
        aim = player->GetPosition() + c.ToFloat();
    }
    shard->SetDirection(aim - shard->GetPosition());
}

void NPC_MiniBoss_Snow::ApplyDamage(CharacterObject* attacker, int damage)
{
    CharacterObject::ApplyDamage(attacker, damage);
    if (attacker == nullptr)
        return;
    life = life > 0 ? life - damage : 0;
    if (life >= 1 || !Boss::StartDeath(*this, false, 25.0f, 35.0f))
        return;
    // Targets left when it dies (an area attack can reach it) break with it:
    // they circle their mini-boss and must not outlive it.
    for (CharacterObject* shot : Boss::FindAll("Projectile_MiniBoss_Snow", nullptr, false))
        if (shot->GetOwner() == this) {
            shot->SetOwner(nullptr);
            shot->SetDead(true);
        }
}

void Zone_NPCSpawner_MiniBoss_Snow::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_MiniBoss_Snow>(*this, x, y, {"NPC_MiniBoss_Snow", NPCSpawner::Naming::WhenNamed});
}
