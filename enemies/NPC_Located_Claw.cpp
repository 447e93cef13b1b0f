#include "enemies/NPC_Located_Claw.h"

#include "characters/CharacterBoxes.h"
#include "characters/Player.h"
#include "enemies/EnemyFramework.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Located_Claw.h"

#include <utility>

NPC_Located_Claw::NPC_Located_Claw(std::string name)
    : CharacterObject(std::move(name))
    , appear(Enemy::CloneGraphical("NPC_Located_Claw_GraphicalAppear"))
    , attack(Enemy::CloneGraphical("NPC_Located_Claw_GraphicalAttack"))
    , disappear(Enemy::CloneGraphical("NPC_Located_Claw_GraphicalDisappear"))
    , dieLook(Enemy::CloneGraphical("NPC_Located_Claw_GraphicalDie"))
{
    typeName = TypeNames::NPC_Located_Claw;
    life = 2;
    state = kWaiting;
    stateTimer = 0;
    LoadSounds();
}

NPC_Located_Claw::~NPC_Located_Claw()
{
    currentGraphical = nullptr;
}

void NPC_Located_Claw::DeclareSounds()
{
    CharacterObject::DeclareSounds();
    DeclareSound("NPC_LocatedClaw_Attack");
}

std::vector<GraphicalObject*> NPC_Located_Claw::GetRelatedGraphicalObjects()
{
    return Enemy::RelatedGraphicals("Located_Claw");
}

Point<int> NPC_Located_Claw::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

std::vector<Rect<int>> NPC_Located_Claw::GetAttackBoxes()
{
    if (currentGraphical == nullptr || state != kAttacking)
        return {};
    return CharacterObject::GetAttackBoxes();
}

bool NPC_Located_Claw::IsHitByBox(Rect<int> box, bool flag)
{
    return state == kAttacking && CharacterObject::IsHitByBox(box, flag);
}

void NPC_Located_Claw::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    if (Player* player = Enemy::ThePlayer()) {
        const Point<int> at = player->GetPosition().ToInt();
        const Point<int> s = player->GetSize();
        const Rect<int> body(at.x, at.y + s.y - 1, at.x + s.x - 1, at.y);
        const bool finished = currentGraphical != nullptr && currentGraphical->IsAnimationFinished();
        if (state == kDisappearing && finished) {
            state = kWaiting;
        } else if (state == kAttacking && finished) {
            state = kDisappearing;
        } else if (state == kAppearing && finished) {
            state = kAttacking;
        } else if (state == kWaiting && stateTimer >= kWait && BoxesOverlap(rect.Normalized(), body)) {
            state = kAppearing;
            PlaySound("NPC_LocatedClaw_Attack");
            position = Point<float>(player->GetPosition().x, static_cast<float>(rect.Normalized().y1));
        }
        GraphicalObject* before = currentGraphical;
        switch (state) {
        case kWaiting:
            currentGraphical = nullptr;
            ++stateTimer;
            break;
        case kAppearing:
            currentGraphical = appear.get();
            break;
        case kAttacking:
            currentGraphical = attack.get();
            DamagePlayerOnContact();
            break;
        case kDisappearing:
            currentGraphical = disappear.get();
            break;
        default:
            currentGraphical = dieLook.get();
            // Without a dying look there is nothing to wait for.
            if (currentGraphical == nullptr || currentGraphical->IsAnimationFinished())
                dead = true;
            break;
        }
        if (currentGraphical != before && currentGraphical != nullptr) {
            currentGraphical->RestartAnimations(true);
            stateTimer = 0;
        }
        if (currentGraphical != nullptr)
            currentGraphical->Update(dt);
        previousState = state;
    }
    UpdateSounds();
}

void NPC_Located_Claw::ReceiveHit(CharacterObject* attacker, int kind, float amount)
{
    Enemy::ReceiveHit(*this, attacker, kind, amount, Enemy::kFireHit);
}

void NPC_Located_Claw::ApplyDamage(CharacterObject* attacker, int damage)
{
    CharacterObject::ApplyDamage(attacker, damage);
    if (attacker == nullptr)
        return;
    life = life > 0 ? life - damage : 0;
    // A blow on a dying claw starts its dying look again.
    if (life > 0)
        return;
    currentGraphical = dieLook.get();
    state = kDying;
    Die();
    if (currentGraphical != nullptr)
        currentGraphical->RestartAnimations(true);
}

void Zone_NPCSpawner_Located_Claw::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Located_Claw>(*this, x, y,
        {"NPC_Located_Claw", NPCSpawner::Naming::Placement, &NPC_Located_Claw::rect, NPCSpawner::Area::R});
}
