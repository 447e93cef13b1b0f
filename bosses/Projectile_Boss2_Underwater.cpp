#include "bosses/Projectile_Boss2_Underwater.h"

#include "bosses/BossFrame.h"
#include "enemies/EnemyFramework.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"

#include <cmath>
#include <utility>

namespace {

constexpr float kPi = 3.14f;
constexpr float kSwingWidth = 96.0f;
constexpr float kBob = 16.0f;
constexpr Point<float> kSwingStart {96.0f, -16.0f};
constexpr int kRiseFrames = 150;

} // namespace

Projectile_Boss2_Underwater::Projectile_Boss2_Underwater(std::string name)
    : CharacterObject(std::move(name))
{
    typeName = TypeNames::Projectile_Boss2_Underwater;
    speed = kSpeed;
    state = kFan;
    dropsItems = 0;
    SetDrawnInFront(true);
    LoadSounds();
}

Projectile_Boss2_Underwater::~Projectile_Boss2_Underwater()
{
    currentGraphical = nullptr;
}

void Projectile_Boss2_Underwater::DeclareSounds()
{
    CharacterObject::DeclareSounds();
}

Point<int> Projectile_Boss2_Underwater::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void Projectile_Boss2_Underwater::SetKind(int value)
{
    kind = value;
    static const char* const kLooks[3] = {"Projectile_Boss2_Underwater_Idle",
        "Projectile_Boss2_Underwater_Idle_rank2", "Projectile_Boss2_Underwater_Idle_rank3"};
    sprite = value >= 0 && value <= 2 ? Enemy::CloneGraphical(kLooks[value]) : nullptr;
    currentGraphical = sprite.get();
}

bool Projectile_Boss2_Underwater::IsHitByBox(Rect<int> box, bool flag)
{
    // The scythe's test passes the flag clear: it never strikes a shot.
    return flag && CharacterObject::IsHitByBox(box, flag);
}

void Projectile_Boss2_Underwater::ReceiveHit(CharacterObject* /*attacker*/, int /*kind*/, float /*amount*/)
{
    if (kind == 0)
        dead = true;
}

void Projectile_Boss2_Underwater::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    if (Boss::ThePlayer() != nullptr) {
        --frameCounter;
        if (state == kFan) {
            if (frameCounter <= 30)
                speed = static_cast<float>(frameCounter) * kSpeed / 15.0f;
            if (frameCounter == 0) {
                speed = 2.0f;
                swingBase = position + kSwingStart;
                state = kSwing;
                direction = kind == 2 ? Point<float>(0.0f, -0.5f) : Point<float>(0.0f, -1.0f);
                swingTimer = kHalfSwing;
                frameCounter = kRiseFrames;
                swingSign = 1;
            }
        }
    }
    DamagePlayerOnContact();
    if (state == kSwing && --frameCounter <= 0)
        dead = true;
    const float d = Enemy::StepLength(speed, dt);
    if (state == kSwing) {
        if (--swingTimer == 0) {
            swingSign = -swingSign;
            swingTimer = kHalfSwing;
        }
        swingBase = swingBase + direction * d;
        const float t = 1.0f - static_cast<float>(swingTimer) / static_cast<float>(kHalfSwing);
        position = swingBase
            + Point<float>(static_cast<float>(swingSign) * kSwingWidth * std::cos(kPi * t + kPi),
                kBob * std::cos(2.0f * kPi * t * static_cast<float>(swingSign)));
    } else {
        position = position + direction * d;
    }
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
}
