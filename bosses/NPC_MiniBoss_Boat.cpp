#include "bosses/NPC_MiniBoss_Boat.h"

#include "enemies/EnemyFramework.h"
#include "enemies/Projectile_Fire_Launcher.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_MiniBoss_Boat.h"

#include <utility>

namespace {

constexpr float kPauseBase = 33.0f;
constexpr float kPauseSpread = 66.0f;

} // namespace

NPC_MiniBoss_Boat::NPC_MiniBoss_Boat(std::string name)
    : BossCharacter(std::move(name), "NPC_MiniBoss_Boat")
{
    typeName = TypeNames::NPC_MiniBoss_Boat;
    idle = sprites.Add("GraphicalIdle");
    attackBegin = sprites.Add("GraphicalAttack_Begin");
    attackEnd = sprites.Add("GraphicalAttack_End");
    attack = sprites.Add("GraphicalAttack");
    speed = 0.0f;
    life = kLife;
    contactDamage = 2;
    state = kPause;
    RollPause();
    LoadSounds();
}

NPC_MiniBoss_Boat::~NPC_MiniBoss_Boat()
{
    currentGraphical = nullptr;
}

void NPC_MiniBoss_Boat::DeclareSounds()
{
    CharacterObject::DeclareSounds();
    DeclareSound("NPC_Miniboss_Boat_Attack");
}

std::vector<GraphicalObject*> NPC_MiniBoss_Boat::GetRelatedGraphicalObjects()
{
    return Boss::Related("MiniBoss_Boat");
}

void NPC_MiniBoss_Boat::RollPause()
{
    const float r = Boss::Random01();
    frameCounter = static_cast<int>(kPauseBase + kPauseSpread * r);
}

GraphicalObject* NPC_MiniBoss_Boat::SpriteOfState(int s) const
{
    switch (s) {
    case kPause:
        return idle;
    case kWindUp:
        return attackBegin;
    case kWindDown:
        return attackEnd;
    case kAttack:
        return attack;
    default:
        return nullptr;
    }
}

void NPC_MiniBoss_Boat::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    if (exploding)
        return;
    DamagePlayerOnContact();
    if (currentGraphical != nullptr) {
        switch (state) {
        case kPause:
            if (--frameCounter <= 0) {
                state = kWindUp;
                StopSound("NPC_Miniboss_Boat_Attack");
                PlaySound("NPC_Miniboss_Boat_Attack");
            }
            break;
        case kWindUp:
            if (currentGraphical->IsAnimationFinished()) {
                state = kAttack;
                frameCounter = 1;
            }
            break;
        case kAttack:
            if (!currentGraphical->IsAnimationFinished()) {
                if (--frameCounter == 0)
                    Throw();
            } else {
                state = kWindDown;
            }
            break;
        case kWindDown:
            if (currentGraphical->IsAnimationFinished()) {
                state = kPause;
                RollPause();
            }
            break;
        default:
            break;
        }
    }
    position = position + direction * Enemy::StepLength(speed, dt);
    GraphicalObject* shown = SpriteOfState(state);
    if (shown != currentGraphical && shown != nullptr)
        shown->RestartAnimations(true);
    currentGraphical = shown;
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
    UpdateSounds();
}

void NPC_MiniBoss_Boat::Throw()
{
    const float width
        = currentGraphical != nullptr ? static_cast<float>(currentGraphical->GetSize().x) : 0.0f;
    const Point<float> from(position.x + width * 0.5f, position.y);
    for (float side : {-1.0f, 1.0f}) {
        auto* fire = Boss::CreateAs<Projectile_Fire_Launcher>("Projectile_Fire_Launcher");
        if (fire == nullptr)
            continue;
        fire->SetPosition(from + Point<float>(side * kThrowReach, kThrowHeight));
        fire->SetDirection(Point<float>(side, 0.0f));
        fire->SetGraphicalMiniBossBoat();
    }
}

void NPC_MiniBoss_Boat::ApplyDamage(CharacterObject* attacker, int damage)
{
    CharacterObject::ApplyDamage(attacker, damage);
    if (attacker == nullptr)
        return;
    life = life > 0 ? life - damage : 0;
    if (life <= 0)
        Boss::StartDeath(*this, false, 25.0f, 35.0f);
}

void Zone_NPCSpawner_MiniBoss_Boat::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_MiniBoss_Boat>(*this, x, y, {"NPC_MiniBoss_Boat", NPCSpawner::Naming::WhenNamed});
}
