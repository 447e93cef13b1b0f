#include "bosses/NPC_Boss_Final.h"

#include "bosses/Projectile_Boss_Final.h"
#include "enemies/EnemyFramework.h"
#include "engine/render/GE_Fade.h"
#include "engine/render/ShaderEffect_TimeDependent.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Boss_Final.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr int kContactDamage = 2;
// It starts in the middle of its sweep.
constexpr float kStartOffset = 384.0f;
constexpr float kSweepSpeed = 4.0f;
// The sweep turns 16 pixels inside each end, after a bulge of 16 frames.
constexpr int kSweepMargin = 16;
constexpr int kBulgeFrames = 16;
constexpr float kBulgeStep = 0.0625f * 3.14f;
constexpr int kRingWait = 300;
constexpr float kRingAngle = 0.785f;
constexpr int kShotWait = 300;
constexpr float kShotHeight = 64.0f;
constexpr int kBurstGap = 4;
constexpr float kBurstRadius = 160.0f;
// Phases change 60 and 120 below the full life.
constexpr int kPhase2Drop = 60;
constexpr int kPhase3Drop = 120;
constexpr int kPhase2Burst = 3;
constexpr int kPhase3Burst = 6;
constexpr int kLastBurst = 15;
constexpr int kFadeInFrames = 120;
constexpr int kFadeOutFrames = 75;
constexpr int kGhostCycle = 420;
constexpr int kGhostReturn = 90;
constexpr float kGhostDuration = 30.0f;
constexpr int kBobPeriod = 89;
constexpr int kBobMax = 64;

std::unique_ptr<GraphicalEffect> GhostFade()
{
    auto fade
        = std::make_unique<GE_Color>(Enemy::FindShader("ml_NPC_GhostFade"), kGhostDuration, false, false);
    fade->SetReverse(false);
    fade->Start(0, true);
    return fade;
}

// One step of a timed effect, independent of the render clock.
void StepTimed(ShaderEffect_TimeDependent& effect)
{
    if (effect.IsRunning())
        effect.Advance(1.0f);
}

} // namespace

NPC_Boss_Final::NPC_Boss_Final(std::string name)
    : CharacterObject(std::move(name))
    , spriteIdle(Enemy::CloneGraphical("NPC_Boss_Final_Idle"))
    , spriteIdleB(Enemy::CloneGraphical("NPC_Boss_Final_IdleB"))
    , spriteIdleC(Enemy::CloneGraphical("NPC_Boss_Final_IdleC"))
{
    typeName = TypeNames::NPC_Boss_Final;
    life = kMaxLife;
    maxLife = kMaxLife;
    contactDamage = kContactDamage;
    dropsItems = 0;
    SetDrawnFlagged(true);
    pool.FillAs("Projectile_Boss_Final", kPoolSize);
    LoadSounds();
}

NPC_Boss_Final::~NPC_Boss_Final()
{
    currentGraphical = nullptr;
}

void NPC_Boss_Final::DeclareSounds()
{
    DeclareSound("NPC_Boss_Final_Appears");
    DeclareSound("NPC_Boss_Final_SkullsAppear");
}

std::vector<GraphicalObject*> NPC_Boss_Final::GetRelatedGraphicalObjects()
{
    return Boss::Related("Boss_Final");
}

Point<int> NPC_Boss_Final::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

GraphicalObject* NPC_Boss_Final::GetPhaseSprite(int phase) const
{
    switch (phase) {
    case kPhase1:
        return spriteIdle.get();
    case kPhase2:
        return spriteIdleB.get();
    case kPhase3:
        return spriteIdleC.get();
    default:
        return nullptr;
    }
}

bool NPC_Boss_Final::IsGhosted() const
{
    return dynamic_cast<GE_Color*>(GetDrawingEffect()) != nullptr;
}

bool NPC_Boss_Final::HandleScriptCommand(std::string command, std::string /*argument*/)
{
    if (!Boss::IsCommand(command, "start"))
        return false;
    if (state == kWaiting) {
        PlaySound("NPC_Boss_Final_Appears");
        state = kPhase1;
        currentGraphical = spriteIdle.get();
        SetDrawingEffect(std::make_unique<GE_Fade>(kFadeInFrames, true));
    }
    return true;
}

void NPC_Boss_Final::ResetToStart()
{
    homePosition = position.ToInt();
    frameCounter = 0;
    position.x += kStartOffset;
    direction.x = 1.0f;
}

void NPC_Boss_Final::StepEffect()
{
    GraphicalEffect* effect = GetDrawingEffect();
    if (effect == nullptr)
        return;
    if (auto* timed = dynamic_cast<ShaderEffect_TimeDependent*>(effect))
        StepTimed(*timed);
    else
        effect->Update();
    if (auto* fade = dynamic_cast<GE_Fade*>(effect); fade != nullptr && fade->GetCounter() <= 0)
        SetDrawingEffect(nullptr);
}

void NPC_Boss_Final::StepGhostCycle()
{
    --ghostCycleTimer;
    --ghostReturnTimer;
    if (ghostCycleTimer == 0) {
        ghostReturnTimer = kGhostReturn;
        ghostCycleTimer = kGhostCycle;
        SetDrawingEffect(GhostFade());
        for (Projectile_Boss_Final* eye : ring)
            eye->SetDrawingEffect(GhostFade());
    }
    if (ghostReturnTimer == 0) {
        if (auto* colour = dynamic_cast<GE_Color*>(GetDrawingEffect())) {
            colour->SetReverse(true);
            colour->Start(0, false);
        }
        for (Projectile_Boss_Final* eye : ring)
            if (auto* colour = dynamic_cast<GE_Color*>(eye->GetDrawingEffect())) {
                colour->SetReverse(false);
                colour->Start(0, true);
            }
    }
    // The ghost fade runs at twice the pace: each run of 30 lasts 15 frames.
    auto* colour = dynamic_cast<GE_Color*>(GetDrawingEffect());
    if (colour == nullptr)
        return;
    StepTimed(*colour);
    if (colour->GetTimer() == 0.0f && ghostReturnTimer <= 0) {
        SetDrawingEffect(nullptr);
        for (Projectile_Boss_Final* eye : ring)
            eye->SetDrawingEffect(nullptr);
    }
}

void NPC_Boss_Final::Sweep()
{
    const float dx = position.x - static_cast<float>(homePosition.x);
    const float margin = static_cast<float>(kSweepMargin);
    if (dx > margin && dx < static_cast<float>(kSweep - kSweepMargin)) {
        frameCounter = 0;
        speed = kSweepSpeed;
        return;
    }
    speed = 0.0f;
    const int side = dx <= margin ? -1 : 1;
    const int edge = homePosition.x + (side < 0 ? kSweepMargin : kSweep - kSweepMargin);
    ++frameCounter;
    if (frameCounter > kBulgeFrames) {
        speed = kSweepSpeed;
        direction.x = static_cast<float>(-side);
    } else {
        position.x = static_cast<float>(edge + kSweepMargin * std::sin(frameCounter * kBulgeStep * side));
    }
}

void NPC_Boss_Final::RaiseRing()
{
    if (!ring.empty() || GetDrawingEffect() != nullptr)
        return;
    if (ringCountdown == 0) {
        ringCountdown = kRingWait;
        for (int i = 0; i < kRingSize; ++i) {
            Projectile_Boss_Final* eye = AcquireProjectile();
            if (eye == nullptr)
                continue;
            eye->SetPosition(GetCenter() - Point<float>(16.0f, 16.0f));
            Point<float> d(0.0f, 1.0f);
            Boss::RotateVector(d, i * kRingAngle);
            eye->SetDirection(d);
            eye->SetMode(Projectile_Boss_Final::kModeEye);
            eye->SetOwner(this);
            ring.push_back(eye);
        }
        PlaySound("NPC_Boss_Final_SkullsAppear");
    }
    --ringCountdown;
}

void NPC_Boss_Final::ShootAlongTheGround()
{
    if (shotTimer > 0)
        --shotTimer;
    if (shotTimer > 0)
        return;
    if (Projectile_Boss_Final* shot = AcquireProjectile()) {
        shot->SetMode(Projectile_Boss_Final::kModeGroundShot);
        const bool right = GetCenter().x < Boss::PlayerCenter().x;
        shot->SetDirection(Point<float>(right ? 1.0f : -1.0f, 0.0f));
        shot->SetPosition(Point<float>(
            GetCenter().x - shot->GetSize().x / 2, static_cast<float>(homePosition.y) - kShotHeight));
    }
    shotTimer = static_cast<int>(kShotWait + Boss::Random01() * kShotWait);
    if (state == kPhase3)
        shotTimer /= 2;
}

void NPC_Boss_Final::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled)
        return;
    // The boss decides its own end, below.
    if (exploding)
        dead = false;
    if (state != kDying)
        DamagePlayerOnContact();
    GraphicalObject* before = currentGraphical;
    if (currentGraphical != nullptr) {
        StepEffect();
        if (state == kPhase3)
            StepGhostCycle();
        const bool acting
            = (state == kPhase1 && GetDrawingEffect() == nullptr) || state == kPhase2 || state == kPhase3;
        if (burstCount == 0 && acting) {
            Sweep();
            RaiseRing();
            ShootAlongTheGround();
        }
        EmitProjectiles();
    }
    if (state == kDying) {
        if (GetDrawingEffect() == nullptr)
            currentGraphical = nullptr;
        speed = 0.0f;
        if (Boss::Find(Projectile_Boss_Final::kSkullName) == nullptr && pool.InPlay() == 0) {
            Boss::StartSlowMotion();
            dead = true;
        }
    }
    Boss::Move(*this, speed, dt);
    if (state == kPhase2 && bobAmplitude < kBobMax)
        ++bobAmplitude;
    const double a = bobAmplitude;
    position.y = static_cast<float>(
        homePosition.y + static_cast<int>(a - a * std::cos(bobPhase * 6.28 / kBobPeriod)));
    if (state != kDying)
        bobPhase = (bobPhase + 1) % kBobPeriod;
    if (currentGraphical != before && currentGraphical != nullptr)
        currentGraphical->RestartAnimations(false);
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
    UpdateSounds();
}

void NPC_Boss_Final::EmitProjectiles()
{
    if (burstCount <= 0)
        return;
    if (burstDelay > 0) {
        --burstDelay;
        return;
    }
    --burstCount;
    burstDelay = kBurstGap;
    Projectile_Boss_Final* head = AcquireProjectile();
    if (head == nullptr)
        return;
    Point<int> c = GetCenter().ToInt();
    const double angle = Boss::Random01() * 3.1415 * 2.0;
    const Point<float> at(static_cast<float>(c.x + std::cos(angle) * kBurstRadius),
        static_cast<float>(c.y + std::sin(angle) * kBurstRadius));
    head->SetTarget(at.ToInt());
    head->SetPosition(at - size.ToFloat() * 0.5f);
    head->SetMode(Projectile_Boss_Final::kModeHead);
}

Projectile_Boss_Final* NPC_Boss_Final::AcquireProjectile()
{
    Projectile_Boss_Final* projectile = pool.Acquire();
    if (projectile == nullptr && pool.Size() < static_cast<size_t>(kPoolLimit)
        && pool.FillAs("Projectile_Boss_Final", 1) == 1)
        projectile = pool.Acquire();
    if (projectile != nullptr)
        projectile->SetCurrentGraphical(nullptr);
    return projectile;
}

void NPC_Boss_Final::RemoveFromRing(Projectile_Boss_Final* projectile)
{
    auto it = std::find(ring.begin(), ring.end(), projectile);
    if (it != ring.end())
        ring.erase(it);
}

void NPC_Boss_Final::ColourRing(int hitKind)
{
    for (Projectile_Boss_Final* eye : ring) {
        // Ice and fire recolour the eye; any other kind keeps its look. Either way it starts over.
        if (GraphicalObject* look = eye->GetEyeSprite(hitKind))
            eye->SetCurrentGraphical(look);
        if (GraphicalObject* look = eye->GetCurrentGraphical())
            look->RestartAnimations(false);
    }
}

bool NPC_Boss_Final::IsHitByBox(Rect<int> box, bool flag)
{
    if (IsGhosted())
        return false;
    return CharacterObject::IsHitByBox(box, flag);
}

void NPC_Boss_Final::ReceiveHit(CharacterObject* attacker, int kind, float amount)
{
    if (!ring.empty()) {
        ColourRing(kind);
        return;
    }
    if (attacker != nullptr && life != -1)
        ApplyDamage(attacker, static_cast<int>(amount));
}

void NPC_Boss_Final::ApplyDamage(CharacterObject* attacker, int damage)
{
    CharacterObject::ApplyDamage(attacker, damage);
    if (attacker == nullptr)
        return;
    life = life > 0 ? life - damage : 0;
    // The test for the third phase comes first: one blow changes one phase.
    if (life <= maxLife - kPhase3Drop && state == kPhase2) {
        state = kPhase3;
        burstCount = kPhase3Burst;
        currentGraphical = spriteIdleC.get();
        Boss::ShakeCamera(30, 2.0f, 15.0f, 10.0f, 2.0f);
        Boss::Announce(GetName() + "_State_2");
    }
    if (life <= maxLife - kPhase2Drop && state == kPhase1) {
        state = kPhase2;
        burstCount = kPhase2Burst;
        currentGraphical = spriteIdleB.get();
        Boss::ShakeCamera(30, 2.0f, 15.0f, 10.0f, 2.0f);
        Boss::Announce(GetName() + "_State_1");
    }
    if (life <= 0 && state != kDying) {
        Boss::Announce(GetName() + "_State_3");
        Boss::ShakeCamera(60, 10.0f, 30.0f, 15.0f, 2.0f);
        state = kDying;
        for (Projectile_Boss_Final* eye : ring)
            eye->SetEnabled(false);
        SetDrawingEffect(std::make_unique<GE_Fade>(kFadeOutFrames, false));
        ring.clear();
        burstCount = kLastBurst;
        burstDelay = 0;
        Boss::StartDeath(*this, false, 25.0f, 35.0f);
    }
}

void Zone_NPCSpawner_Boss_Final::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Boss_Final>(*this, x, y, {"NPC_Boss_Final", NPCSpawner::Naming::WhenNamed});
}
