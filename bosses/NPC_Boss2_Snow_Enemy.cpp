#include "bosses/NPC_Boss2_Snow_Enemy.h"

#include "bosses/BossFrame.h"
#include "enemies/EnemyFramework.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"

#include <cmath>
#include <utility>
#include <vector>

namespace {

constexpr float kPi = 3.14f;
constexpr float kMargin = 32.0f;

float Draw01()
{
    const float r = Boss::Random01();
    return r == 1.0f ? 0.9f : r;
}

} // namespace

NPC_Boss2_Snow_Enemy::NPC_Boss2_Snow_Enemy(std::string name)
    : CharacterObject(std::move(name))
    , pop(Enemy::CloneGraphical("NPC_Boss2_Snow_Enemy_GraphicalPop"))
    , idle(Enemy::CloneGraphical("NPC_Boss2_Snow_Enemy_GraphicalIdle"))
    , jump(Enemy::CloneGraphical("NPC_Boss2_Snow_Enemy_GraphicalJump"))
{
    typeName = TypeNames::NPC_Boss2_Snow_Enemy;
    currentGraphical = pop.get();
    speed = kFallSpeed;
    direction = Point<float>(0.0f, -1.0f);
    state = kFalling;
    life = kLife;
    LoadSounds();
}

NPC_Boss2_Snow_Enemy::~NPC_Boss2_Snow_Enemy()
{
    currentGraphical = nullptr;
}

void NPC_Boss2_Snow_Enemy::DeclareSounds()
{
    for (const char* sound : {"NPC_Generic_HitByPlayer", "NPC_Generic_Killed", "NPC_Boss_Snow2_jump"})
        DeclareSound(sound);
    hitSoundIndex = 0;
    deathSoundIndex = 1;
}

Point<int> NPC_Boss2_Snow_Enemy::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void NPC_Boss2_Snow_Enemy::Land()
{
    currentGraphical = idle.get();
    state = kIdle;
}

void NPC_Boss2_Snow_Enemy::Update(double dt)
{
    GraphicalObject* before = currentGraphical;
    CharacterObject::Update(dt);
    if (!enabled)
        return;
    position = position + direction * Enemy::StepLength(speed, dt);
    if (state == kFalling && owner != nullptr && owner->GetPosition().y > position.y) {
        position.y = owner->GetPosition().y;
        speed = 0.0f;
        Land();
    }
    if (state == kIdle && currentGraphical != nullptr && currentGraphical->IsAnimationFinished()) {
        std::vector<Point<float>> hops;
        if (owner != nullptr) {
            const float left = owner->GetPosition().x;
            const float right = left + static_cast<float>(owner->GetSize().x);
            if (position.x + kHop <= right - kMargin)
                hops.push_back(Point<float>(position.x + kHop, position.y));
            if (left <= position.x - kHop)
                hops.push_back(Point<float>(position.x - kHop, position.y));
        }
        if (!hops.empty()) {
            currentGraphical = jump.get();
            state = kHopping;
            PlaySound("NPC_Boss_Snow2_jump");
            hopTarget = hops[static_cast<size_t>(static_cast<float>(hops.size()) * Draw01())];
            hopStart = position;
            frameCounter = kHopFrames;
            direction.x = hopTarget.x > position.x ? 1.0f : -1.0f;
        }
    }
    if (state == kHopping) {
        const float t = static_cast<float>(kHopFrames - frameCounter) / static_cast<float>(kHopFrames);
        position = Point<float>(hopStart.x + t * direction.x * kHop, hopStart.y + std::sin(t * kPi) * kHop);
        if (--frameCounter == 0) {
            position = hopTarget;
            Land();
        }
    }
    if (currentGraphical != before && currentGraphical != nullptr)
        currentGraphical->RestartAnimations(true);
    DamagePlayerOnContact();
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
}

void NPC_Boss2_Snow_Enemy::ApplyDamage(CharacterObject* attacker, int damage)
{
    CharacterObject::ApplyDamage(attacker, damage);
    if (attacker == nullptr)
        return;
    life = life > 0 ? life - damage : 0;
    if (life < 1)
        dead = true;
}
