#include "bosses/NPC_MiniBoss_Underwater_Arm.h"

#include "bosses/BossFrame.h"
#include "bosses/NPC_MiniBoss_Underwater.h"
#include "characters/CharacterBoxes.h"
#include "characters/Player.h"
#include "enemies/EnemyFramework.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"

#include <utility>

namespace {

// Where the player sets the arm off, from the arm's position (x0, y0 top,
// x1, y1 bottom).
const Rect<int> kFrontBox(192, 96, 320, 0);
const Rect<int> kLeftBox(0, 256, 224, 96);
const Rect<int> kRightBox(256, 256, 480, 96);
const Point<int> kEffectAt {242, -32};

Rect<int> Moved(Rect<int> box, Point<int> by)
{
    box.Offset(by);
    return box;
}

} // namespace

NPC_MiniBoss_Underwater_Arm::NPC_MiniBoss_Underwater_Arm(std::string name)
    : CharacterObject(std::move(name))
    , idle(Enemy::CloneGraphical("NPC_MiniBoss_Underwater_Arm_GraphicalIdle"))
    , attackSide(Enemy::CloneGraphical("NPC_MiniBoss_Underwater_Arm_GraphicalAttackSide"))
    , attackFront(Enemy::CloneGraphical("NPC_MiniBoss_Underwater_Arm_GraphicalAttackFront"))
{
    typeName = TypeNames::NPC_MiniBoss_Underwater_Arm;
    currentGraphical = idle.get();
    if (attackFront != nullptr)
        attackFront->SetAnimationProgress(1.0f);
    life = 1;
    contactDamage = 2;
    LoadSounds();
}

NPC_MiniBoss_Underwater_Arm::~NPC_MiniBoss_Underwater_Arm()
{
    currentGraphical = nullptr;
}

Point<int> NPC_MiniBoss_Underwater_Arm::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void NPC_MiniBoss_Underwater_Arm::Update(double dt)
{
    GraphicalObject* before = currentGraphical;
    CharacterObject::Update(dt);
    if (exploding || !enabled)
        return;
    Player* player = Boss::ThePlayer();
    if (player != nullptr && owner != nullptr && owner->GetCurrentGraphical() != nullptr
        && currentGraphical != nullptr) {
        const Point<int> half = owner->GetCurrentGraphical()->GetSize() * 0.5f;
        const Point<int> own = GetSize() * 0.5f;
        position = owner->GetPosition() + (half - own).ToFloat();
    }
    DamagePlayerOnContact();
    position = position + direction * Enemy::StepLength(speed, dt);
    if (currentGraphical != nullptr && player != nullptr) {
        const Point<int> at = position.ToInt();
        const Point<int> p = player->GetPosition().ToInt();
        const Point<int> s = player->GetSize();
        const Rect<int> body(p.x, p.y + s.y - 1, p.x + s.x - 1, p.y);
        if (BoxesOverlap(body, Moved(kFrontBox, at))) {
            currentGraphical = attackFront.get();
            state = kFront;
            effectLaunched = false;
        } else if (currentGraphical != nullptr && currentGraphical->IsAnimationFinished()) {
            const bool side
                = BoxesOverlap(body, Moved(kRightBox, at)) || BoxesOverlap(body, Moved(kLeftBox, at));
            currentGraphical = side ? attackSide.get() : idle.get();
            state = side ? kSide : kIdle;
        }
        if (state == kFront && currentGraphical != nullptr && currentGraphical->GetAnimationFrame() == 1
            && !effectLaunched) {
            const Point<int> e = at + kEffectAt;
            CharacterObject::LaunchParticleEffect(nullptr, onSpecialEffects, this, true, e.x, e.y);
            effectLaunched = true;
        }
        if (currentGraphical != nullptr && currentGraphical->IsAnimationFinished() && state != kIdle)
            currentGraphical->RestartAnimations(true);
    }
    if (currentGraphical != before && currentGraphical != nullptr)
        currentGraphical->RestartAnimations(true);
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
}

void NPC_MiniBoss_Underwater_Arm::ApplyDamage(CharacterObject* attacker, int damage)
{
    if (attacker != nullptr && !hitThisFrame) {
        if (owner != nullptr) {
            owner->ApplyDamage(attacker, damage);
            if (owner->IsDead())
                owner = nullptr;
        }
        hitThisFrame = true;
    }
    if (hitFlash != nullptr)
        CharacterObject::ApplyDamage(nullptr, 0);
}
