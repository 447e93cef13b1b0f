#include "bosses/Projectile_Boss2_Garden.h"

#include "bosses/BossFrame.h"
#include "bosses/NPC_Boss2_Garden.h"
#include "enemies/EnemyFramework.h"
#include "scene/GraphicalObject.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kContactDamage = 2;
constexpr int kBurstDelay = 140;
constexpr int kTrail = 4;
constexpr float kSmallSpeed = 4.0f;
// A small skull runs 96 pixels out, then a rectangle of 224 by 64 above.
constexpr int kOutward = 96;
constexpr int kPathLength = 224;
constexpr int kPathHeight = 64;
constexpr float kFirstSmallX = 64.0f;
constexpr float kSecondSmallX = 96.0f;
const char* const kSkull = "Projectile_Boss2_Garden";

} // namespace

Projectile_Boss2_Garden::Projectile_Boss2_Garden(std::string name)
    : NPC_FloatingSkull(std::move(name))
{
    typeName = TypeNames::Projectile_Boss2_Garden;
    spriteIdle = Enemy::CloneGraphical("Projectile_Boss2_Garden_Idle");
    spriteExplosion = Enemy::CloneGraphical("Projectile_Boss2_Garden_Explosion");
    contactDamage = kContactDamage;
    stateTimer = kBurstDelay;
    state = kThrown;
    currentGraphical = nullptr;
    drawInstance.SetTrailLength(kTrail);
    LoadSounds();
}

Projectile_Boss2_Garden::~Projectile_Boss2_Garden()
{
    currentGraphical = nullptr;
    std::vector<std::vector<Projectile_Boss2_Garden*>>& groups = NPC_Boss2_Garden::SkullGroups();
    if (groupIndex >= 0 && static_cast<size_t>(groupIndex) < groups.size()) {
        std::vector<Projectile_Boss2_Garden*>& group = groups[static_cast<size_t>(groupIndex)];
        group.erase(std::remove(group.begin(), group.end(), this), group.end());
    }
}

void Projectile_Boss2_Garden::DeclareSounds()
{
    CharacterObject::DeclareSounds();
    DeclareSound("NPC_Boss_Garden2_Proj");
    DeclareSound("NPC_Boss_Garden2_Fire");
}

Point<int> Projectile_Boss2_Garden::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void Projectile_Boss2_Garden::ResetToStart()
{
    if (stateTimer != 0)
        return;
    speed = kSmallSpeed;
    currentGraphical = spriteIdle.get();
    pathStep = 0;
    side = static_cast<int>(direction.x);
    auto* ghost = dynamic_cast<NPC_Boss2_Garden*>(GetOwner());
    if (ghost == nullptr)
        return;
    PlaySound("NPC_Boss_Garden2_Proj");
    kind = 5;
    life = 1;
    state = ghost->GetPhase() == 1 ? kOnPath : kChasing;
    if (state == kOnPath) {
        pathTarget = position.ToInt() + Point<int>(kOutward * side, 0);
        direction.x = static_cast<float>(side);
    } else {
        SetKind(5);
    }
}

void Projectile_Boss2_Garden::Update(double dt)
{
    if (state == kChasing || state == kChasingToo) {
        NPC_FloatingSkull::Update(dt);
        currentGraphical = spriteIdle.get();
        if (currentGraphical != nullptr)
            currentGraphical->Update(dt);
        return;
    }
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    GraphicalObject* before = currentGraphical;
    dropsItems = 0;
    DamagePlayerOnContact();
    --stateTimer;
    if (state == kThrown && currentGraphical == nullptr && stateTimer == 0) {
        currentGraphical = spriteExplosion.get();
        if (currentGraphical != nullptr) {
            currentGraphical->RestartAnimations(true);
            PlaySound("NPC_Boss_Garden2_Fire");
        }
        const std::pair<float, float> smalls[] = {{kFirstSmallX, -1.0f}, {kSecondSmallX, 1.0f}};
        auto* ghost = dynamic_cast<NPC_Boss2_Garden*>(GetOwner());
        for (const auto& [shift, facing] : smalls) {
            auto* small = Boss::CreateAs<Projectile_Boss2_Garden>(kSkull);
            if (small == nullptr)
                continue;
            small->SetPosition(position + Point<float>(shift, 0.0f));
            small->SetDirection(Point<float>(facing, 0.0f));
            small->SetOwner(GetOwner());
            small->SetGroupIndex(groupIndex);
            small->SetStateTimer(0);
            std::vector<std::vector<Projectile_Boss2_Garden*>>& groups = NPC_Boss2_Garden::SkullGroups();
            if (groupIndex >= 0) {
                if (static_cast<size_t>(groupIndex) >= groups.size())
                    groups.resize(static_cast<size_t>(groupIndex) + 1);
                groups[static_cast<size_t>(groupIndex)].push_back(small);
            }
        }
        if (ghost != nullptr && ghost->GetPhase() == 2)
            Boss::ShakeCamera(15, 2.0f, 4.0f, 10.0f, 2.0f);
        groupIndex = -1;
    } else if (state == kThrown && currentGraphical != nullptr && currentGraphical == spriteExplosion.get()
        && currentGraphical->IsAnimationFinished()) {
        dead = true;
    }
    const Point<float> d0v = pathTarget.ToFloat() - position;
    const float d0 = d0v.x * d0v.x + d0v.y * d0v.y;
    Boss::Move(*this, speed, dt);
    if (state == kOnPath) {
        const Point<float> d1v = pathTarget.ToFloat() - position;
        if (d1v.x * d1v.x + d1v.y * d1v.y > d0) {
            position = pathTarget.ToFloat();
            pathStep = (pathStep + 1) % 4;
            switch (pathStep) {
            case 0:
                pathTarget.x += kPathLength * side;
                direction = Point<float>(static_cast<float>(side), 0.0f);
                break;
            case 1:
                pathTarget.y -= kPathHeight;
                direction = Point<float>(0.0f, -1.0f);
                break;
            case 2:
                pathTarget.x -= kPathLength * side;
                direction = Point<float>(static_cast<float>(-side), 0.0f);
                break;
            default:
                pathTarget.y += kPathHeight;
                direction = Point<float>(0.0f, 1.0f);
                break;
            }
        }
    }
    if (currentGraphical != before && currentGraphical != nullptr)
        currentGraphical->RestartAnimations(true);
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
}
