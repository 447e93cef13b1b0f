#include "bosses/Projectile_Boss2_Bibli_Guardian.h"

#include "bosses/BossFrame.h"
#include "bosses/NPC_Boss2_Bibli.h"
#include "characters/CharacterBoxes.h"
#include "enemies/EnemyFramework.h"
#include "engine/platform/Random.h"
#include "engine/render/GE_Fade.h"
#include "scene/GraphicalObject.h"

#include <cmath>
#include <cstdint>
#include <utility>

namespace {

constexpr int kFadeFrames = 30;
// A guardian slows over the last 64 pixels to its area's middle and picks
// destinations at least 100 pixels away; roaming it steers by a tenth.
constexpr float kBrakeDistance = 64.0f;
constexpr float kMinDestinationSq = 10000.0f;
constexpr float kMinDestination = 100.0f;
constexpr float kSteering = 0.1f;
const char* const kGuardianName = "Projectile_Boss2_Bibli_Guardian";
const char* const kBossName = "NPC_Boss2_Bibli";

const char* ShieldPicture(int step)
{
    switch (step) {
    case 5:
        return "Projectile_Boss2_Bibli_ShieldFull";
    case 4:
        return "Projectile_Boss2_Bibli_ShieldStep1";
    case 3:
        return "Projectile_Boss2_Bibli_ShieldStep2Right";
    case 2:
        return "Projectile_Boss2_Bibli_ShieldStep2Left";
    case 1:
        return "Projectile_Boss2_Bibli_ShieldStepLast";
    default:
        return "";
    }
}

float Length(Point<float> v)
{
    return std::sqrt(v.x * v.x + v.y * v.y);
}

} // namespace

Projectile_Boss2_Bibli_Guardian::Projectile_Boss2_Bibli_Guardian(std::string name)
    : CharacterObject(std::move(name))
{
    typeName = TypeNames::Projectile_Boss2_Bibli_Guardian;
    spriteIdle = Enemy::CloneGraphical("Projectile_Boss2_Bibli_GardienIdle");
    spriteActive = Enemy::CloneGraphical("Projectile_Boss2_Bibli_GardienActive");
    LoadSounds();
}

Projectile_Boss2_Bibli_Guardian::~Projectile_Boss2_Bibli_Guardian()
{
    currentGraphical = nullptr;
}

Point<int> Projectile_Boss2_Bibli_Guardian::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

bool Projectile_Boss2_Bibli_Guardian::HandleScriptCommand(std::string command, std::string argument)
{
    return CharacterObject::HandleScriptCommand(std::move(command), std::move(argument));
}

void Projectile_Boss2_Bibli_Guardian::SetupShield(int step)
{
    state = kShieldFading;
    stateTimer = kFadeFrames;
    SetDrawingEffect(std::make_unique<GE_Fade>(kFadeFrames, true));
    if (currentGraphical == spriteShield.get())
        currentGraphical = nullptr;
    spriteShield = Enemy::CloneGraphical(ShieldPicture(step));
    currentGraphical = spriteShield.get();
    dropsItems = 0;
}

void Projectile_Boss2_Bibli_Guardian::ChooseDestination()
{
    const uint32_t r1 = platform::Random32();
    const uint32_t r2 = platform::Random32();
    const Point<int> span = GetBoxSize(area);
    const Point<int> own = GetSize();
    const uint64_t spanX = static_cast<uint64_t>(std::max<int64_t>(1, int64_t(own.x) + span.x + 1));
    const uint64_t spanY = static_cast<uint64_t>(std::max<int64_t>(1, int64_t(own.y) + span.y + 1));
    const Point<float> candidate(
        static_cast<float>(static_cast<int>(area.x0 + static_cast<int64_t>(r1 % spanX) - own.x * 0.5)),
        static_cast<float>(static_cast<int>(area.y1 + static_cast<int64_t>(r2 % spanY) - own.y * 0.5)));
    const Point<float> d = candidate - position;
    if (d.x * d.x + d.y * d.y >= kMinDestinationSq)
        destination = candidate;
    else
        destination = position + Boss::Normalized(d) * kMinDestination;
}

void Projectile_Boss2_Bibli_Guardian::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    if (currentGraphical != nullptr) {
        currentGraphical->Update(dt);
        DamagePlayerOnContact();
        if (state == kShieldUp) {
            if (Boss::Find(kGuardianName, this) == nullptr) {
                state = kShieldFading;
                SetDrawingEffect(std::make_unique<GE_Fade>(kFadeFrames, false));
                stateTimer = -1;
                for (CharacterObject* piece : Boss::FindAll(kBossName, this, false))
                    if (auto* boss = dynamic_cast<NPC_Boss2_Bibli*>(piece))
                        boss->SetShielded(false);
                if (auto* owner = dynamic_cast<NPC_Boss2_Bibli*>(GetOwner()))
                    owner->SetShielded(false);
            }
        } else if (state == kShieldFading) {
            if (GraphicalEffect* effect = GetDrawingEffect()) {
                effect->Update();
                auto* fade = dynamic_cast<GE_Fade*>(effect);
                if (fade != nullptr && fade->GetCounter() == 0) {
                    SetDrawingEffect(nullptr);
                    if (stateTimer == -1) {
                        dead = true;
                    } else {
                        stateTimer = 0;
                        state = kShieldUp;
                        for (CharacterObject* piece : Boss::FindAll(kBossName, this, false))
                            if (auto* boss = dynamic_cast<NPC_Boss2_Bibli*>(piece))
                                boss->SetShielded(true);
                        if (auto* owner = dynamic_cast<NPC_Boss2_Bibli*>(GetOwner()))
                            owner->SetShielded(true);
                    }
                }
            }
        } else if (state == kFlying) {
            const Point<float> v = destination - GetCenter();
            direction = Boss::Normalized(v);
            const float length = Length(v);
            if (length <= kBrakeDistance)
                speed = maxSpeed - (kBrakeDistance - length) * 0.015625f * (maxSpeed - minSpeed);
        }
        if (state == kRoaming) {
            direction += Boss::Normalized(destination - position) * kSteering;
            if (direction.x * direction.x + direction.y * direction.y > 1.0f)
                direction = Boss::Normalized(direction);
        }
    }
    const Point<float> from = state == kFlying ? GetCenter() : position;
    const Point<float> d0 = destination - from;
    position += direction * Enemy::StepLength(speed, dt);
    const Point<float> d1 = destination - (state == kFlying ? GetCenter() : position);
    if ((state == kFlying || state == kRoaming) && d0.x * d1.x + d0.y * d1.y < 0.0f) {
        speed = minSpeed;
        state = kRoaming;
        ChooseDestination();
    }
    if (state == kFlying)
        currentGraphical = spriteIdle.get();
    else if (state == kRoaming)
        currentGraphical = spriteActive.get();
    else
        currentGraphical = spriteShield.get();
    if (dead)
        currentGraphical = nullptr;
}

void Projectile_Boss2_Bibli_Guardian::ApplyDamage(CharacterObject* attacker, int damage)
{
    CharacterObject::ApplyDamage(attacker, damage);
    life = life < 1 ? 0 : life - damage;
    if (life < 1)
        dead = true;
}
