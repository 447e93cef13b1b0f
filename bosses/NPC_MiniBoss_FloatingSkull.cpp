#include "bosses/NPC_MiniBoss_FloatingSkull.h"

#include "bosses/BossFrame.h"
#include "characters/CharacterGameAccess.h"
#include "enemies/EnemyFramework.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_MiniBoss_FloatingSkull.h"

#include <algorithm>
#include <utility>

namespace {

constexpr const char* kLook = "NPC_MiniBoss_FloatingSkull_GraphicalIdle";
// Its reach is 2.5 times the plain skull's, its speeds half of them.
constexpr double kReachFactor = 2.5;
constexpr float kSpeedFactor = 0.5f;
constexpr int kLife = 30;
constexpr int kContactDamage = 2;
// Every blow speeds up the knock-back the base has just set.
constexpr float kKnockBackBoost = 1.5f;
constexpr float kExplosionHeadStart = 25.0f;
constexpr float kExplosionSwitchTime = 35.0f;

} // namespace

NPC_MiniBoss_FloatingSkull::NPC_MiniBoss_FloatingSkull(std::string name)
    : NPC_FloatingSkull(std::move(name))
{
    typeName = TypeNames::NPC_MiniBoss_FloatingSkull;
    SetSprites(Enemy::CloneGraphical(kLook), Enemy::CloneGraphical(kLook));
    currentGraphical = spriteLeft;
    triggerDistanceSq *= kReachFactor;
    wanderMaxSpeed *= kSpeedFactor;
    chaseMaxSpeed *= kSpeedFactor;
    life = kLife;
    contactDamage = kContactDamage;
    // Both draw flags: the front flag the skull already has wins, so it is
    // drawn in the front pass with its swarm; that pass goes in list order,
    // and the swarm comes after it, so it is drawn under its swarm.
    SetDrawnFlagged(true);
}

NPC_MiniBoss_FloatingSkull::~NPC_MiniBoss_FloatingSkull() = default;

std::vector<GraphicalObject*> NPC_MiniBoss_FloatingSkull::GetRelatedGraphicalObjects()
{
    return Enemy::RelatedGraphicals("MiniBoss_FloatingSkull");
}

Point<int> NPC_MiniBoss_FloatingSkull::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

Rect<int> NPC_MiniBoss_FloatingSkull::CurrentBox() const
{
    const Point<int> at = position.ToInt();
    const Point<int> s = GetSize();
    return Rect<int>(at.x, at.y + s.y, at.x + s.x, at.y);
}

void NPC_MiniBoss_FloatingSkull::ResetToStart()
{
    SpawnChildren();
}

void NPC_MiniBoss_FloatingSkull::SpawnChildren()
{
    for (uint32_t i = 0; i < childCount; ++i) {
        auto* child = Enemy::CreateAs<NPC_FloatingSkull>("NPC_FloatingSkull");
        if (child == nullptr)
            continue;
        children.push_back(child);
        child->SetKind(0);
        child->roamingRect = CurrentBox();
        child->PickRandomDestination();
        child->SetPosition(child->GetDestination().ToFloat());
        child->SetOwner(this);
    }
}

void NPC_MiniBoss_FloatingSkull::Update(double dt)
{
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    if (exploding) {
        CharacterObject::Update(dt);
        return;
    }
    const Point<int> before = position.ToInt();
    NPC_FloatingSkull::Update(dt);
    // It never rests after a touch: it keeps chasing.
    if (state == kTouched)
        state = kChase;
    const Point<int> moved = position.ToInt() - before;
    const Rect<int> box = CurrentBox();
    for (NPC_FloatingSkull* child : children) {
        if (child == nullptr)
            continue;
        child->roamingRect = box;
        if (child->GetState() == kWander)
            child->SetDestination(child->GetDestination() + moved);
    }
}

void NPC_MiniBoss_FloatingSkull::ApplyDamage(CharacterObject* attacker, int damage)
{
    // An exploding one has had its death: the base would mark it dead at
    // once (its life is gone) and the explosion would end half run.
    if (exploding)
        return;
    NPC_FloatingSkull::ApplyDamage(attacker, damage);
    speed *= kKnockBackBoost;
    if (life <= 0)
        Boss::StartDeath(*this, false, kExplosionHeadStart, kExplosionSwitchTime);
}

void NPC_MiniBoss_FloatingSkull::RemoveChild(CharacterObject* child)
{
    auto it = std::find(children.begin(), children.end(), child);
    if (it != children.end())
        children.erase(it);
}

void NPC_MiniBoss_FloatingSkull::Die()
{
    if (deathHandled)
        return;
    CharacterObject::Die();
    for (NPC_FloatingSkull* child : children)
        if (child != nullptr)
            child->SetOwner(nullptr);
    children.clear();
    if (CharacterGameAccess* game = GetCharacterGameAccess())
        game->BroadcastMessage(kDeathMessage);
}

void Zone_NPCSpawner_MiniBoss_FloatingSkull::Instance::Spawn(int x, int y, Level* /*level*/)
{
    // The mini-boss starts at its first destination in the zone, moved by the
    // offset.
    NPCSpawner::Spawn<NPC_MiniBoss_FloatingSkull>(*this, x, y,
        {"NPC_MiniBoss_FloatingSkull", NPCSpawner::Naming::WhenNamed,
            &NPC_MiniBoss_FloatingSkull::roamingRect, NPCSpawner::Area::R},
        [&](NPC_MiniBoss_FloatingSkull& boss) {
            boss.PickRandomDestination();
            const Point<int> at = GetOffset() + boss.GetDestination();
            boss.SetPosition(Point<float>(static_cast<float>(at.x), static_cast<float>(at.y)));
            boss.childCount = static_cast<uint32_t>(NPCSpawner::Count(ChildCount.value));
        });
}
