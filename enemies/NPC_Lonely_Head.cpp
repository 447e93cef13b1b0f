#include "enemies/NPC_Lonely_Head.h"

#include "characters/Player.h"
#include "enemies/EnemyFramework.h"
#include "enemies/NpcTuning.h"
#include "enemies/Projectile_Lonely_Head.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Lonely_Head.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr float kStartSpeed = 4.0f;
constexpr float kMaxSpeed = 6.0f;
constexpr float kMinSpeedShare = 0.1f;
// The head turns back once its target lies this far behind it.
constexpr float kOvershoot = 32.0f;
// Closer than this to the turning point, it is put there.
constexpr float kSnap = 4.0f;

Point<int> CentreOf(Point<float> position, Point<int> size)
{
    return position.ToInt()
        + Point<int>(static_cast<int>(static_cast<float>(size.x) * 0.5f),
            static_cast<int>(static_cast<float>(size.y) * 0.5f));
}

} // namespace

NPC_Lonely_Head::NPC_Lonely_Head(std::string name)
    : CharacterObject(std::move(name))
    , idleLeft(Enemy::CloneGraphical("NPC_Lonely_Head_GraphicalIdleL"))
    , idleRight(Enemy::CloneGraphical("NPC_Lonely_Head_GraphicalIdleR"))
{
    typeName = TypeNames::NPC_Lonely_Head;
    speed = kStartSpeed;
    life = kLife;
    stateTimer = kThrowEvery;
    direction = Point<float>(0.0f, -1.0f);
    LoadSounds();
}

NPC_Lonely_Head::~NPC_Lonely_Head()
{
    currentGraphical = nullptr;
}

void NPC_Lonely_Head::DeclareSounds()
{
    CharacterObject::DeclareSounds();
    DeclareSound("NPC_LonelyHead_Proj");
}

std::vector<GraphicalObject*> NPC_Lonely_Head::GetRelatedGraphicalObjects()
{
    return Enemy::RelatedGraphicals("Lonely_Head");
}

Point<int> NPC_Lonely_Head::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void NPC_Lonely_Head::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    const Point<int> ownSize = GetSize();
    const Point<int> s = CentreOf(position, ownSize);
    Player* player = Enemy::ThePlayer();
    const Point<int> p = player != nullptr ? CentreOf(player->GetPosition(), player->GetSize()) : s;
    const Point<int> d = p - s;
    const bool near = player != nullptr
        && static_cast<float>(d.x) * static_cast<float>(d.x)
                + static_cast<float>(d.y) * static_cast<float>(d.y)
            < kNearSq;
    if (near) {
        if (--stateTimer <= 0) {
            ThrowFan();
            stateTimer = kThrowEvery;
        }
        DamagePlayerOnContact();
    } else {
        target.y = static_cast<int>((static_cast<double>(lowerY) + upperY) * 0.5);
    }
    if (target == Point<int>(0, 0))
        target = position.ToInt();
    const float centreY = position.y + static_cast<float>(ownSize.y) * 0.5f;
    const float dy = std::fabs(static_cast<float>(target.y) - centreY);
    if (near)
        ChooseNearTarget(p, s.y, dy);
    target.x = position.ToInt().x;
    MoveTowardTarget();

    GraphicalObject* before = currentGraphical;
    currentGraphical = p.x > s.x ? idleRight.get() : idleLeft.get();
    Enemy::StepGraphical(*this, before, dt);
    UpdateSounds();
}

void NPC_Lonely_Head::ChooseNearTarget(Point<int> playerCentre, int centreY, float dy)
{
    const int py = playerCentre.y;
    const int ty = target.y;
    const float vy = direction.y;
    bool follow = false;
    if (py > ty)
        follow = vy >= 0.0f || py < centreY;
    else if (py == ty)
        follow = true;
    else
        follow = vy <= 0.0f || py > centreY;
    if (follow)
        target = playerCentre;
    else if (dy > kOvershoot)
        target = position.ToInt();
    // A band turned upside down (a damaged zone) still bounds the target.
    target.y = std::clamp(target.y, std::min(lowerY, upperY), std::max(lowerY, upperY));
}

void NPC_Lonely_Head::MoveTowardTarget()
{
    const float height = static_cast<float>(GetSize().y);
    const float centreY = position.y + height * 0.5f;
    const float ty = static_cast<float>(target.y);
    const float dy = std::fabs(ty - centreY);
    const float r = dy * 0.03125f;
    const float vy = direction.y;
    const bool reverse = vy > 0.0f ? ty < centreY : ty > centreY;
    if (r > 1.0f) {
        speed = std::min(speed + 1.0f, kMaxSpeed);
    } else if (reverse || speed < kMaxSpeed) {
        const float f = std::min(r * 0.6f + 0.4f, 1.0f);
        speed = kMaxSpeed * std::max(std::cos(f * 3.14f * 0.5f), kMinSpeedShare);
    }
    position.y += direction.y * speed;
    const float after = ty - (position.y + height * 0.5f);
    if (reverse && std::fabs(after) > kOvershoot) {
        const float turn = vy < 0.0f ? (ty - kOvershoot) - height * 0.5f : (ty + kOvershoot) - height * 0.5f;
        if (std::fabs(turn - position.y) < kSnap)
            position.y = turn;
        direction.y = direction.y * -1.0f;
    }
}

void NPC_Lonely_Head::ThrowFan()
{
    const Point<int> ownSize = GetSize();
    const Point<float> from(
        position.x + static_cast<float>(ownSize.x) * 0.5f, position.y + static_cast<float>(ownSize.y));
    PlaySound("NPC_LonelyHead_Proj");
    const NpcTuning& tuning = NpcTuning::Current();
    const Point<float> outer = tuning.lonelyHeadImpulseRightRight;
    const Point<float> inner = tuning.lonelyHeadImpulseRightMid;
    const Point<float> launches[4]
        = {outer, Point<float>(-outer.x, outer.y), inner, Point<float>(-inner.x, inner.y)};
    for (const Point<float>& launch : launches) {
        auto* shot = Enemy::CreateAs<Projectile_Lonely_Head>("Projectile_Lonely_Head");
        if (shot == nullptr)
            continue;
        shot->SetDirection(launch * 0.5f);
        shot->SetPosition(from - shot->GetSize().ToFloat() * 0.5f);
    }
}

void NPC_Lonely_Head::ReceiveHit(CharacterObject* attacker, int kind, float amount)
{
    Enemy::ReceiveHit(*this, attacker, kind, amount, Enemy::kIceHit);
}

void NPC_Lonely_Head::ApplyDamage(CharacterObject* attacker, int damage)
{
    Enemy::ApplyDamage(*this, attacker, damage);
}

Projectile_Lonely_Head::Projectile_Lonely_Head(std::string name)
    : CharacterObject(std::move(name))
    , look(Enemy::CloneGraphical("Projectile_Lonely_Head_GraphicalIdle"))
{
    typeName = TypeNames::Projectile_Lonely_Head;
    speed = 8.0f;
    dropsItems = 0;
    currentGraphical = look.get();
    drawInstance.SetTrailLength(4);
    drawInstance.SetTrailSpacing(0);
}

Projectile_Lonely_Head::~Projectile_Lonely_Head()
{
    currentGraphical = nullptr;
}

Point<int> Projectile_Lonely_Head::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void Projectile_Lonely_Head::Update(double dt)
{
    CharacterObject::Update(dt);
    direction += Point<float>(0.0f, -kPull);
    if (Enemy::ThePlayer() != nullptr)
        position += direction * Enemy::StepLength(speed, dt);
    if (--lifetime <= 0)
        dead = true;
    if (!dead)
        DamagePlayerOnContact();
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
}

void Zone_NPCSpawner_Lonely_Head::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Lonely_Head>(*this, x, y, {"NPC_Lonely_Head"}, [&](NPC_Lonely_Head& head) {
        // Halfway up the zone, which bounds its rise and fall.
        const Point<int> offset = GetOffset();
        head.SetPosition(Point<float>(static_cast<float>(offset.x), static_cast<float>(offset.y))
            + Point<float>(
                static_cast<float>(x), static_cast<float>(y) + static_cast<float>(GetSize().y) * 0.5f));
        head.SetLowY(y);
        head.SetHighY(y + GetSize().y);
    });
}
