#include "enemies/NPC_BoatWorm.h"

#include "characters/CharacterBoxes.h"
#include "characters/Player.h"
#include "enemies/EnemyFramework.h"
#include "enemies/NpcTuning.h"
#include "enemies/Projectile_BoatWorm.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_BoatWorm.h"

#include <cmath>
#include <utility>

NPC_BoatWorm::NPC_BoatWorm(std::string name)
    : CharacterObject(std::move(name))
    , idle(Enemy::CloneGraphical("NPC_BoatWorm_GraphicalIdle"))
    , attack(Enemy::CloneGraphical("NPC_BoatWorm_GraphicalAttack"))
{
    typeName = TypeNames::NPC_BoatWorm;
    life = NpcTuning::Current().boatWormMaxLife;
    state = kIdle;
    stateTimer = 0;
    // No look until the first update chooses one: that update's trigger
    // test sees a worm of no size.
    LoadSounds();
}

NPC_BoatWorm::~NPC_BoatWorm()
{
    currentGraphical = nullptr;
}

void NPC_BoatWorm::DeclareSounds()
{
    CharacterObject::DeclareSounds();
    DeclareSound("NPC_BoatWorm_Attack");
}

std::vector<GraphicalObject*> NPC_BoatWorm::GetRelatedGraphicalObjects()
{
    return Enemy::RelatedGraphicals("BoatWorm");
}

Point<int> NPC_BoatWorm::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

Rect<int> NPC_BoatWorm::TriggerRect() const
{
    Rect<int> trigger = NpcTuning::Current().boatWormTriggerZone;
    const Point<int> own = GetSize();
    trigger.Offset(Point<int>(0, own.y - 1));
    const float width = static_cast<float>(trigger.x1 - trigger.x0);
    const float height = static_cast<float>(trigger.y0 - trigger.y1);
    const Point<float> at(position.x + static_cast<float>(own.x) * 0.5f - width * 0.5f, position.y - height);
    trigger.Offset(at.ToInt());
    return trigger;
}

void NPC_BoatWorm::Shoot()
{
    const Point<int> own = GetSize();
    const Point<int> top
        = position.ToInt() + Point<int>(static_cast<int>(static_cast<float>(own.x) * 0.5f), own.y - 1);
    const Point<int> spawn = Enemy::SpawnPointOr(*this, top);
    PlaySound("NPC_BoatWorm_Attack");
    auto* shot = Enemy::CreateAs<Projectile_BoatWorm>("Projectile_BoatWorm");
    if (shot == nullptr)
        return;
    shot->SetPosition(Point<float>(static_cast<float>(spawn.x) - static_cast<float>(shot->GetSize().x) * 0.5f,
        static_cast<float>(spawn.y)));
    stateTimer = NpcTuning::Current().boatWormWait;
    state = kRest;
    if (Player* player = Enemy::ThePlayer())
        shot->SetDirection(player->GetCenter() - shot->GetPosition());
}

void NPC_BoatWorm::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    if (Player* player = Enemy::ThePlayer()) {
        const bool finished = currentGraphical != nullptr && currentGraphical->IsAnimationFinished();
        if (finished && state == kAttack)
            Shoot();
        if (finished && state == kAttack) {
            state = kRest;
            stateTimer = kFailedShotRest;
        }
        if (state == kRest && --stateTimer <= 0)
            state = kIdle;
        if (state == kIdle) {
            Rect<int> body = player->GetBodyBox();
            body.Offset(player->GetPosition().ToInt());
            if (BoxesOverlap(TriggerRect(), body))
                state = kAttack;
        }
        GraphicalObject* before = currentGraphical;
        currentGraphical = state == kAttack ? attack.get() : idle.get();
        Enemy::StepGraphical(*this, before, dt, Enemy::Restart::AfterStep);
        previousState = state;
    }
    DamagePlayerOnContact();
    UpdateSounds();
}

void NPC_BoatWorm::ApplyDamage(CharacterObject* attacker, int damage)
{
    Enemy::ApplyDamage(*this, attacker, damage);
}

void Zone_NPCSpawner_BoatWorm::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_BoatWorm>(*this, x, y, {"NPC_BoatWorm"});
}
