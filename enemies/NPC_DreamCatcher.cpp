#include "enemies/NPC_DreamCatcher.h"

#include "characters/Player.h"
#include "enemies/EnemyFramework.h"
#include "enemies/Projectile_SadSoul.h"
#include "engine/platform/Random.h"
#include "engine/serial/TypeNames.h"
#include "scene/CollisionShape.h"
#include "scene/GraphicalObject.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_DreamCatcher.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// The player is watched within 448 pixels of the launch point (squared).
constexpr double kWatchRadiusSquared = 200704.0;
// The angle of a soul's approach point: a fraction of this turn, and how far.
constexpr double kTurn = 3.1415 * 2.0;
constexpr double kDriftRadius = 64.0;
// A soul starts this much below and left of the launch point.
constexpr Point<int> kSoulOffset {16, 16};

// Soul flight.
constexpr float kStartSpeed = 9.0f;
constexpr float kDriftBrake = 1.0f;
constexpr float kDriftMinSpeed = 5.5f;
constexpr float kArrivalSquared = 64.0f;
constexpr float kHomingBrake = 1.125f;
constexpr float kHomingAcceleration = 1.5f;
constexpr float kHomingMaxSpeed = 10.0f;
constexpr float kBlend = 0.5f;
constexpr float kTurnLimit = 0.05f;
constexpr float kTargetTurnFactor = 0.4f;
constexpr float kFacing = 0.8f;
constexpr int kTrailLength = 3;
// Where the player is aimed at, and where the soul aims from.
constexpr Point<int> kPlayerAim {32, 32};
constexpr Point<int> kSoulAim {16, 16};

Point<float> Normalized(Point<float> v)
{
    v.Normalize(false);
    return v;
}

} // namespace

NPC_DreamCatcher::NPC_DreamCatcher(std::string name)
    : CharacterObject(std::move(name))
    , idle(Enemy::CloneGraphical("NPC_DreamCatcher_GraphicalIdle"))
    , popping(Enemy::CloneGraphical("NPC_DreamCatcher_GraphicalPoping"))
{
    typeName = TypeNames::NPC_DreamCatcher;
    currentGraphical = idle.get();
    stateTimer = 0;
    life = kLife;
    LoadSounds();
}

NPC_DreamCatcher::~NPC_DreamCatcher()
{
    currentGraphical = nullptr;
}

std::vector<GraphicalObject*> NPC_DreamCatcher::GetRelatedGraphicalObjects()
{
    std::vector<GraphicalObject*> related = Enemy::RelatedGraphicals("DreamCatcher");
    const std::vector<GraphicalObject*> souls = Enemy::RelatedGraphicals("SadSoul");
    related.insert(related.end(), souls.begin(), souls.end());
    return related;
}

Point<int> NPC_DreamCatcher::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void NPC_DreamCatcher::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    CharacterObject* player = Enemy::ThePlayer();
    if (player == nullptr)
        return;
    // The update that launches a volley starts the rest: it counts from the
    // next update on.
    bool launched = false;
    if (currentGraphical != nullptr) {
        DamagePlayerOnContact();
        if (state == kVolley) {
            LaunchVolley();
            launched = state == kWatch;
        }
    }
    if (state == kWatch && !launched) {
        if (stateTimer > 0) {
            --stateTimer;
        } else {
            const Point<int> d = player->GetPosition().ToInt() - LaunchPoint();
            const double squared = static_cast<double>(d.x) * d.x + static_cast<double>(d.y) * d.y;
            if (squared <= kWatchRadiusSquared)
                state = kVolley;
        }
    }
    GraphicalObject* before = currentGraphical;
    currentGraphical = idle.get();
    Enemy::StepGraphical(*this, before, dt, Enemy::Restart::AfterStep);
    previousState = state;
}

void NPC_DreamCatcher::LaunchVolley()
{
    for (int i = 0; i < projectileCount; ++i) {
        auto* soul = Enemy::CreateAs<Projectile_SadSoul>("Projectile_SadSoul");
        if (soul == nullptr)
            continue;
        const Point<int> launch = LaunchPoint();
        const double angle = platform::RandomFraction() * kTurn;
        soul->SetApproachPoint(launch
            + Point<int>(static_cast<int>(std::cos(angle) * kDriftRadius),
                static_cast<int>(std::sin(angle) * kDriftRadius)));
        soul->SetPosition((launch - kSoulOffset).ToFloat());
        stateTimer = kRest;
        state = kWatch;
    }
}

void NPC_DreamCatcher::ReceiveHit(CharacterObject* attacker, int kind, float amount)
{
    Enemy::ReceiveHit(*this, attacker, kind, amount, Enemy::kFireHit);
}

void NPC_DreamCatcher::ApplyDamage(CharacterObject* attacker, int damage)
{
    Enemy::ApplyDamage(*this, attacker, damage);
}

void Zone_NPCSpawner_DreamCatcher::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_DreamCatcher>(*this, x, y, {"NPC_DreamCatcher"},
        [&](NPC_DreamCatcher& catcher) { catcher.projectileCount = ProjectileCount.value; });
}

Projectile_SadSoul::Projectile_SadSoul(std::string name)
    : CharacterObject(std::move(name))
    , moveVertical(Enemy::CloneGraphical("Projectile_SadSoul_GraphicalMoveVertical"))
    , moveLeft(Enemy::CloneGraphical("Projectile_SadSoul_GraphicalMoveLeft"))
    , moveRight(Enemy::CloneGraphical("Projectile_SadSoul_GraphicalMoveRight"))
{
    typeName = TypeNames::Projectile_SadSoul;
    dropsItems = 0;
    speed = kStartSpeed;
    currentGraphical = moveLeft.get();
    stateTimer = 0;
    if (moveVertical != nullptr) {
        const Point<int> s = moveVertical->GetSize();
        collisionShapes.push_back(new CollisionBox<int>(0, s.y - 1, s.x - 1, 0));
    }
    drawInstance.SetTrailLength(kTrailLength);
    LoadSounds();
    PlaySound("NPC_Generic_ThrowProjectile");
}

Projectile_SadSoul::~Projectile_SadSoul()
{
    currentGraphical = nullptr;
}

void Projectile_SadSoul::DeclareSounds()
{
    DeclareSound("NPC_Generic_ThrowProjectile");
    hitSoundIndex = 0;
    deathSoundIndex = 0;
}

Point<int> Projectile_SadSoul::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void Projectile_SadSoul::SetGraphicalTarget()
{
    target = true;
    targetLook = Enemy::CloneGraphical("Projectile_Boss_Garden_GraphicalTarget");
    currentGraphical = targetLook.get();
}

void Projectile_SadSoul::Update(double dt)
{
    CharacterObject::Update(dt);
    CharacterObject* player = Enemy::ThePlayer();
    if (player == nullptr)
        return;
    const Point<int> p = player->GetPosition().ToInt() + kPlayerAim;
    const Point<int> s = position.ToInt() + kSoulAim;
    const Point<float> toPlayer = (p - s).ToFloat();
    if (state == kDrift) {
        const Point<float> d = (approach - s).ToFloat();
        if (d.x * d.x + d.y * d.y <= kArrivalSquared) {
            state = kHoming;
            stateTimer = 0;
        } else {
            direction = Normalized(d);
            speed = std::max(speed - kDriftBrake, kDriftMinSpeed);
        }
    }
    if (state == kHoming) {
        const int t = stateTimer;
        if (t < 4) {
            speed = std::max(speed - kHomingBrake, 0.0f);
            if (t < 3)
                direction = Normalized(direction + Normalized(toPlayer) * kBlend);
            else
                direction = Normalized(toPlayer);
        } else {
            speed = std::min(speed + kHomingAcceleration, kHomingMaxSpeed);
            const Point<float> e = Normalized(toPlayer) - direction;
            const float turn = std::min(e.Length(), kTurnLimit) * (target ? kTargetTurnFactor : 1.0f);
            direction = Normalized(direction + Normalized(e) * turn);
        }
        if (target)
            direction = direction * 0.5f;
    }
    if (DamagePlayerOnContact())
        dead = true;
    else if (Enemy::TouchesWall(*this, Enemy::CollisionsLayer()))
        dead = true;
    position += direction * Enemy::StepLength(speed, dt);
    GraphicalObject* before = currentGraphical;
    if (!target) {
        if (direction.x > kFacing)
            currentGraphical = moveRight.get();
        else if (direction.x < -kFacing)
            currentGraphical = moveLeft.get();
        else
            currentGraphical = moveVertical.get();
    }
    if (currentGraphical != nullptr) {
        if (currentGraphical != before)
            currentGraphical->RestartAnimations(true);
        currentGraphical->Update(dt);
    }
    previousState = state;
    if (stateTimer > (target ? kTargetAgeLimit : kAgeLimit))
        dead = true;
    ++stateTimer;
}

void Projectile_SadSoul::ApplyDamage(CharacterObject* attacker, int damage)
{
    if (target)
        CharacterObject::ApplyDamage(attacker, damage);
}

void Projectile_SadSoul::ReceiveHit(CharacterObject* /*attacker*/, int /*kind*/, float /*amount*/)
{
    if (!target)
        dead = true;
}
