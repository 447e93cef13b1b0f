#include "bosses/Projectile_Boss_Final.h"

#include "bosses/BossFrame.h"
#include "bosses/NPC_Boss_Final.h"
#include "enemies/EnemyFramework.h"
#include "enemies/NPC_FloatingSkull.h"
#include "engine/render/ShaderEffect_TimeDependent.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kContactDamage = 2;
constexpr int kTrail = 3;
constexpr float kEyeSpeed = 3.0f;
constexpr float kEyeReach = 128.0f;
constexpr int kEyeLife = 5;
constexpr int kOrbitFrames = 90;
constexpr float kOrbitStep = 0.0697778f;
constexpr float kShotSpeed = 2.0f;
constexpr float kHeadSpeed = 2.0f;
constexpr float kHeadMinSpeed = 5.5f;
// A head turns into a skull within 8 pixels of its point.
constexpr float kHeadArrivedSq = 64.0f;
constexpr int kHeadKind = 6;

} // namespace

Projectile_Boss_Final::Projectile_Boss_Final(std::string name)
    : CharacterObject(std::move(name))
    , spriteEye(Enemy::CloneGraphical("Projectile_Boss_Final_EyeIdle"))
    , spriteEyeIce(Enemy::CloneGraphical("Projectile_Boss_Final_EyeIdle_WithIce"))
    , spriteEyeFire(Enemy::CloneGraphical("Projectile_Boss_Final_EyeIdle_WithFire"))
    , spriteHeadL(Enemy::CloneGraphical("Projectile_Boss_Final_HeadIdleL"))
    , spriteHeadR(Enemy::CloneGraphical("Projectile_Boss_Final_HeadIdleR"))
    , spriteGroundMove(Enemy::CloneGraphical("Projectile_Boss_Final_GroundMove"))
    , spriteGroundFade(Enemy::CloneGraphical("Projectile_Boss_Final_GroundFade"))
{
    typeName = TypeNames::Projectile_Boss_Final;
    contactDamage = kContactDamage;
    drawInstance.SetTrailLength(kTrail);
    SetDrawnInFront(true);
    // The pool resets the projectile each time it hands it out; the first
    // update must not undo the form it was given.
    firstUpdate = false;
    LoadSounds();
}

Projectile_Boss_Final::~Projectile_Boss_Final()
{
    currentGraphical = nullptr;
}

void Projectile_Boss_Final::DeclareSounds()
{
    DeclareSound("NPC_Boss_Final_ProjMove");
    DeclareSound("NPC_Boss_Final_ProjActive");
}

Point<int> Projectile_Boss_Final::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

GraphicalObject* Projectile_Boss_Final::GetEyeSprite(int hitKind) const
{
    if (hitKind == Enemy::kIceHit)
        return spriteEyeIce.get();
    if (hitKind == Enemy::kFireHit)
        return spriteEyeFire.get();
    return nullptr;
}

NPC_Boss_Final* Projectile_Boss_Final::Boss() const
{
    return dynamic_cast<NPC_Boss_Final*>(owner);
}

void Projectile_Boss_Final::ResetToStart()
{
    orbitAngle = 0.0f;
    offset = Point<float>();
    target = Point<int>();
    expanding = false;
    life = 0;
    dropsItems = 1;
    invulnerableFrames = 0;
    hitThisFrame = false;
    hitThisFrame2 = false;
    frameCounter = 0;
    SetDrawingEffect(nullptr);
    drawInstance.SetTrailLength(0);
    drawInstance.SetTrailLength(kTrail);
    owner = nullptr;
}

void Projectile_Boss_Final::SetMode(int mode)
{
    switch (mode) {
    case kModeEye:
        speed = kEyeSpeed;
        state = kEye;
        currentGraphical = spriteEye.get();
        if (currentGraphical != nullptr)
            currentGraphical->RestartAnimations(false);
        target = (direction * kEyeReach).ToInt();
        expanding = true;
        life = kEyeLife;
        break;
    case kModeGroundShot:
        speed = kShotSpeed;
        state = kSliding;
        currentGraphical = spriteGroundMove.get();
        if (currentGraphical != nullptr)
            currentGraphical->RestartAnimations(false);
        PlaySound("NPC_Boss_Final_ProjMove");
        break;
    case kModeHead: {
        speed = kHeadSpeed;
        state = kHead;
        currentGraphical = spriteHeadL.get();
        if (currentGraphical != nullptr) {
            const Point<int> s = currentGraphical->GetSize();
            position += Point<float>(s.x * 0.5f, s.y * 0.5f);
            if (GetCenter().x < target.x)
                currentGraphical = spriteHeadR.get();
        }
        if (currentGraphical != nullptr)
            currentGraphical->RestartAnimations(false);
        break;
    }
    default:
        break;
    }
    dropsItems = 0;
}

void Projectile_Boss_Final::Move(double dt)
{
    position += direction * Enemy::StepLength(speed, dt);
}

void Projectile_Boss_Final::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled)
        return;
    if (auto* colour = dynamic_cast<GE_Color*>(GetDrawingEffect()); colour != nullptr && colour->IsRunning())
        colour->Advance(1.0f);
    GraphicalObject* before = currentGraphical;
    if (currentGraphical != nullptr) {
        if (state == kEye) {
            DamagePlayerOnContact();
            if (expanding) {
                offset += direction * Enemy::StepLength(speed, dt);
                const float reach = static_cast<float>(target.x * target.x + target.y * target.y);
                if (reach <= offset.x * offset.x + offset.y * offset.y) {
                    offset = target.ToFloat();
                    expanding = false;
                }
            } else {
                frameCounter = (frameCounter + 1) % kOrbitFrames;
                orbitAngle = frameCounter * kOrbitStep;
                Point<float> turned = direction;
                Boss::RotateVector(turned, orbitAngle);
                offset = turned * kEyeReach;
            }
            if ((currentGraphical == spriteEyeIce.get() || currentGraphical == spriteEyeFire.get())
                && currentGraphical->IsAnimationFinished())
                currentGraphical = spriteEye.get();
        }
        if (state == kLanded) {
            DamagePlayerOnContact();
            if (state == kLanded && currentGraphical->IsAnimationFinished())
                enabled = false;
        }
        if (state == kSliding) {
            Move(dt);
            const float playerX = Boss::PlayerCenter().x;
            const float here = GetTopCenter().x;
            const bool passed = Boss::ThePlayer() != nullptr
                && ((direction.x < 0.0f && playerX > here) || (direction.x > 0.0f && playerX < here));
            if (DamagePlayerOnContact() || passed) {
                speed = 0.0f;
                state = kLanded;
                PlaySound("NPC_Boss_Final_ProjActive");
                currentGraphical = spriteGroundFade.get();
            }
        }
        if (state == kHead) {
            DamagePlayerOnContact();
            const Point<float> d = target.ToFloat() - GetCenter();
            if (d.x * d.x + d.y * d.y > kHeadArrivedSq) {
                direction = Boss::Normalized(d);
                speed = std::max(speed - 1.0f, kHeadMinSpeed);
                Move(dt);
            } else {
                enabled = false;
                if (auto* skull = Boss::CreateAs<NPC_FloatingSkull>("NPC_FloatingSkull", kSkullName)) {
                    skull->SetPosition(position);
                    skull->SetKind(kHeadKind);
                }
            }
        }
    }
    if (owner != nullptr)
        position = owner->GetCenter() + offset;
    // One that put itself back in the pool this update keeps its look for this frame's drawing;
    // its next update clears it.
    if (currentGraphical != before && currentGraphical != nullptr)
        currentGraphical->RestartAnimations(false);
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
}

bool Projectile_Boss_Final::IsHitByBox(Rect<int> box, bool flag)
{
    if (dynamic_cast<GE_Color*>(GetDrawingEffect()) != nullptr)
        return false;
    return CharacterObject::IsHitByBox(box, flag);
}

void Projectile_Boss_Final::ReceiveHit(CharacterObject* /*attacker*/, int kind, float /*amount*/)
{
    if (state != kEye)
        return;
    if (NPC_Boss_Final* boss = Boss())
        boss->ColourRing(kind);
}

void Projectile_Boss_Final::ApplyDamage(CharacterObject* attacker, int damage)
{
    if (state != kEye)
        return;
    CharacterObject::ApplyDamage(attacker, damage);
    if (attacker == nullptr)
        return;
    life = life > 0 ? life - damage : 0;
    if (life > 0)
        return;
    enabled = false;
    const Point<int> at = position.ToInt() + Point<int>(GetSize().x / 2, GetSize().y / 2);
    // Copies: the pooled eye keeps its list for its next life.
    LaunchParticleEffect(nullptr, onExploseEffects, this, true, at.x, at.y);
    if (NPC_Boss_Final* boss = Boss())
        boss->RemoveFromRing(this);
}
