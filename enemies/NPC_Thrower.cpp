#include "enemies/NPC_Thrower.h"

#include "characters/CharacterBoxes.h"
#include "characters/Player.h"
#include "enemies/EnemyFramework.h"
#include "enemies/NpcTuning.h"
#include "enemies/Projectile_Thrower.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Thrower.h"

#include <utility>

namespace {

// Where a shot leaves a thrower whose attack frame has no spawn point.
constexpr Point<int> kDefaultSpawnOffset {32, 63};

} // namespace

NPC_Thrower::NPC_Thrower(std::string name)
    : CharacterObject(std::move(name))
    , idle(Enemy::CloneGraphical("NPC_Thrower_GraphicalIdle"))
    , deadLook(Enemy::CloneGraphical("NPC_Thrower_GraphicalDead"))
    , attack(Enemy::CloneGraphical("NPC_Thrower_GraphicalAttack"))
    , reload(Enemy::CloneGraphical("NPC_Thrower_GraphicalReload"))
{
    typeName = TypeNames::NPC_Thrower;
    life = NpcTuning::Current().throwerMaxLife;
    state = kIdle;
    SetDrawnFlagged(false);
    LoadSounds();
}

NPC_Thrower::~NPC_Thrower()
{
    currentGraphical = nullptr;
}

void NPC_Thrower::DeclareSounds()
{
    CharacterObject::DeclareSounds();
    DeclareSound("NPC_Thrower_Attack");
}

std::vector<GraphicalObject*> NPC_Thrower::GetRelatedGraphicalObjects()
{
    return Enemy::RelatedGraphicals("Thrower");
}

Point<int> NPC_Thrower::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

Rect<int> NPC_Thrower::TriggerRect() const
{
    Rect<int> trigger = NpcTuning::Current().throwerTriggerZone;
    const float width = static_cast<float>(trigger.x1 - trigger.x0);
    const Point<float> at
        = position + Point<float>(static_cast<float>(GetSize().x) * 0.5f - width * 0.5f, 0.0f);
    trigger.Offset(at.ToInt());
    return trigger;
}

void NPC_Thrower::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    Player* player = Enemy::ThePlayer();
    if (player == nullptr)
        return;
    if (state != kDead && currentGraphical != nullptr) {
        if (stateTimer >= 0)
            --stateTimer;
        if ((stateTimer == 0 || currentGraphical->IsAnimationFinished()) && state == kAttack)
            Throw(*player);
        if (currentGraphical->IsAnimationFinished()) {
            if (state == kReload)
                state = kIdle;
            else if (state == kAttack || state == kThrown)
                state = kReload;
        }
    }
    if (state == kIdle && stateTimer <= 0) {
        Rect<int> body = player->GetBodyBox();
        body.Offset(player->GetPosition().ToInt());
        if (BoxesOverlap(TriggerRect(), body)) {
            state = kAttack;
            stateTimer = NpcTuning::Current().throwerFrameTimerBeforeThrowing;
        }
    }
    GraphicalObject* before = currentGraphical;
    switch (state) {
    case kIdle:
        currentGraphical = idle.get();
        break;
    case kDead:
        currentGraphical = deadLook.get();
        break;
    case kAttack:
        currentGraphical = attack.get();
        break;
    case kReload:
        currentGraphical = reload.get();
        break;
    default:
        break; // thrown: the attack keeps playing
    }
    Enemy::StepGraphical(*this, before, dt, Enemy::Restart::AfterStep);
    previousState = state;
    UpdateSounds();
}

void NPC_Thrower::Throw(const Player& player)
{
    const Point<int> spawn = Enemy::SpawnPointOr(*this, position.ToInt() + kDefaultSpawnOffset);
    PlaySound("NPC_Thrower_Attack");
    auto* shot = Enemy::CreateAs<Projectile_Thrower>("Projectile_Thrower");
    if (shot == nullptr)
        return;
    shot->SetPosition(spawn.ToFloat() - Point<float>(static_cast<float>(shot->GetSize().x) * 0.5f, 0.0f));
    stateTimer = NpcTuning::Current().throwerFrameTimerBetweenThrowing;
    state = kThrown;
    if (player.GetPosition().x < position.x) {
        const Point<float> d = shot->GetDirection();
        shot->SetDirection(Point<float>(-d.x, d.y));
    }
}

Point<float> NPC_Thrower::GetProjectileBaseDirection()
{
    return NpcTuning::Current().throwerProjectileBaseDirection;
}

Point<float> NPC_Thrower::GetProjectileAttenuation()
{
    return NpcTuning::Current().throwerProjectileAttenuation;
}

float NPC_Thrower::GetProjectileSpeed()
{
    return NpcTuning::Current().throwerProjectileSpeed;
}

void NPC_Thrower::ReceiveHit(CharacterObject* attacker, int kind, float amount)
{
    Enemy::ReceiveHit(*this, attacker, kind, amount, Enemy::kFireHit);
}

void NPC_Thrower::ApplyDamage(CharacterObject* attacker, int damage)
{
    // The dead thrower stays in the level: its dead flag is never set.
    CharacterObject::ApplyDamage(attacker, damage);
    if (attacker == nullptr)
        return;
    life = life > 0 ? life - damage : 0;
    if (life <= 0 && state != kDead) {
        Die();
        state = kDead;
    }
    if (GetDrawingEffect() == nullptr && state != kDead)
        Enemy::StartHitShake(*this);
}

void Zone_NPCSpawner_Thrower::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Thrower>(*this, x, y, {"NPC_Thrower"});
}
