#include "bosses/NPC_MiniBoss_Bibli.h"

#include "bosses/BossFrame.h"
#include "characters/CharacterBoxes.h"
#include "characters/Player.h"
#include "enemies/EnemyFramework.h"
#include "engine/render/GE_Shake.h"
#include "scene/GraphicalObject.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_MiniBoss_Bibli.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr int kLife = 20;
constexpr int kContactDamage = 2;
constexpr int kSlidingState = 3;
// Speed: at most 0.3 more per frame, never above 5, a sixteenth of the way
// left, and a creep of 0.2 until within 2 pixels.
constexpr float kAcceleration = 0.3f;
constexpr float kMaxSpeed = 5.0f;
constexpr float kApproach = 0.0625f;
constexpr float kCreep = 0.2f;
constexpr float kCreepDistance = 2.0f;
// Dust every 32 pixels of travel; the slide sounds from 8 pixels past the
// last dust and stops within 4.
constexpr float kDustStep = 32.0f;
constexpr float kSoundOn = 8.0f;
constexpr float kSoundOff = 4.0f;
// The bob: a vertical shake whose speed follows the slide's.
constexpr float kBobAmplitude = 5.0f;
constexpr float kBobVelocity = 2.5f;
constexpr float kExplosionHeadStart = 25.0f;
constexpr float kExplosionSwitchTime = 35.0f;
const char* const kMoveSound = "NPC_Miniboss_Bibli_Move";

} // namespace

NPC_MiniBoss_Bibli::NPC_MiniBoss_Bibli(std::string name)
    : CharacterObject(std::move(name))
{
    typeName = TypeNames::NPC_MiniBoss_Bibli;
    spriteIdle = Enemy::CloneGraphical("NPC_MiniBoss_Bibli_GraphicalIdle");
    life = kLife;
    contactDamage = kContactDamage;
    state = kSlidingState;
    currentGraphical = spriteIdle.get();
    auto bob = std::make_unique<GE_Shake>();
    bob->SetAmplitude(0.0f, kBobAmplitude);
    bob->SetVelocity(0.0f, kBobVelocity);
    bob->SetNoTint(true);
    SetDrawingEffect(std::move(bob));
    LoadSounds();
}

NPC_MiniBoss_Bibli::~NPC_MiniBoss_Bibli()
{
    currentGraphical = nullptr;
}

void NPC_MiniBoss_Bibli::DeclareSounds()
{
    CharacterObject::DeclareSounds();
    DeclareSound(kMoveSound);
}

void NPC_MiniBoss_Bibli::ResetToStart()
{
    dustMarkX = static_cast<int>(position.x);
}

std::vector<GraphicalObject*> NPC_MiniBoss_Bibli::GetRelatedGraphicalObjects()
{
    return Enemy::RelatedGraphicals("MiniBoss_Bibli");
}

Point<int> NPC_MiniBoss_Bibli::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void NPC_MiniBoss_Bibli::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    if (exploding)
        return;
    GraphicalObject* before = currentGraphical;
    if (Player* player = Enemy::ThePlayer()) {
        const Point<int> at = player->GetPosition().ToInt();
        const Point<int> ps = player->GetSize();
        const Rect<int> playerBox(at.x, at.y + ps.y - 1, at.x + ps.x - 1, at.y);
        const Point<int> half = (GetSize().ToFloat() * 0.5f).ToInt();
        target = BoxesOverlap(playerBox, zone) ? player->GetTopCenter().ToInt() - half
                                               : GetBoxCenter(zone) - half;
        target.y = static_cast<int>(position.y);
        const float d = static_cast<float>(target.x) - position.x;
        const float distance = std::fabs(d);
        float next = std::min({distance * kApproach, kMaxSpeed, speed + kAcceleration});
        next = std::max(next, distance > kCreepDistance ? kCreep : 0.0f);
        speed = next;
        direction = Point<float>(d, 0.0f);
        direction.Normalize(false);
        stateTimer = 0;
    }
    DamagePlayerOnContact();
    const Point<float> before0 = position;
    position += direction * Enemy::StepLength(speed, dt);
    if (std::fabs(static_cast<float>(dustMarkX) - position.x) >= kDustStep) {
        dustMarkX = static_cast<int>(position.x);
        std::vector<LocalParticleSystem*>& dust = GetOnSpecialEffects();
        const Point<int> top = GetTopCenter().ToInt();
        LaunchParticleEffect(nullptr, dust, this, true, top.x, top.y);
    }
    const float fromMark = std::fabs(static_cast<float>(dustMarkX) - position.x);
    if (fromMark >= kSoundOn)
        PlaySound(kMoveSound);
    else if (fromMark <= kSoundOff)
        StopSound(kMoveSound);
    if (GraphicalEffect* effect = GetDrawingEffect()) {
        if (auto* bob = dynamic_cast<GE_Shake*>(effect)) {
            const Point<float> moved = position - before0;
            float m = std::sqrt(moved.x * moved.x + moved.y * moved.y);
            if (m < 1.0f)
                m = 0.0f;
            const float magnitude = std::min(2.0f * m, kBobVelocity);
            bob->SetVelocity(bob->GetVelocity().x, bob->GetVelocity().y > 0.0f ? magnitude : -magnitude);
        }
        effect->Update();
    }
    currentGraphical = spriteIdle.get();
    if (currentGraphical != before && currentGraphical != nullptr)
        currentGraphical->RestartAnimations(true);
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
    UpdateSounds();
}

void NPC_MiniBoss_Bibli::ApplyDamage(CharacterObject* attacker, int damage)
{
    CharacterObject::ApplyDamage(attacker, damage);
    if (attacker == nullptr)
        return;
    life = life < 1 ? 0 : life - damage;
    if (life < 1)
        Boss::StartDeath(*this, false, kExplosionHeadStart, kExplosionSwitchTime);
    speed *= 0.5f;
}

void Zone_NPCSpawner_MiniBoss_Bibli::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_MiniBoss_Bibli>(*this, x, y,
        {"NPC_MiniBoss_Bibli", NPCSpawner::Naming::WhenNamed, &NPC_MiniBoss_Bibli::zone,
            NPCSpawner::Area::Rm},
        [&](NPC_MiniBoss_Bibli& boss) {
            // Centred over the zone by the width the boss shows.
            const float shift = static_cast<float>(GetSize().x - boss.GetSize().x) * 0.5f;
            boss.SetPosition(NPCSpawner::SpawnPoint(*this, x, y) + Point<float>(shift, 0.0f));
        });
}
