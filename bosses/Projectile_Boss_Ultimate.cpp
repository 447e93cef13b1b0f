#include "bosses/Projectile_Boss_Ultimate.h"

#include "bosses/BossFrame.h"
#include "bosses/NPC_Boss_Ultimate.h"
#include "characters/CharacterBoxes.h"
#include "characters/Player.h"
#include "enemies/EnemyFramework.h"
#include "engine/serial/TypeNames.h"
#include "scene/CollisionShape.h"
#include "scene/GraphicalObject.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr const char* kSpriteNames[] = {"Step1_LeftDown_Idle", "Step1_LeftUp_Idle", "Step1_RightUp_Idle",
    "Step1_RightDown_Idle", "Step1_LeftDown_Die", "Step1_LeftUp_Die", "Step1_RightUp_Die",
    "Step1_RightDown_Die", "Step2_Large_Idle", "Step2_Mini_Idle", "Step3_Moving_Idle", "Step3_Moving_Splash",
    "Step3_Claw_Attack", "Step3_Moving2_Idle"};
constexpr int kContactDamage = 2;
constexpr int kTrail = 3;
constexpr float kMiniSpeed = 2.0f;
constexpr float kSpitSpeed = 8.0f;
constexpr float kSpikePull = 2.0f;
constexpr float kSpikeMin = 1.0f;
constexpr float kSpikeMax = 4.0f;
constexpr float kLaunchSpeed = 36.0f;
// The mini stones of a burst, in this order.
constexpr float kMiniDirections[4][2] = {{-2.0f, 5.0f}, {-1.5f, 4.0f}, {2.0f, 5.0f}, {1.5f, 4.0f}};

// The cell's look by its diagonal direction (y up); -1 for any other.
int CellSprite(Point<float> d)
{
    const int x = static_cast<int>(d.x);
    const int y = static_cast<int>(d.y);
    if (x == -1 && y == -1)
        return Projectile_Boss_Ultimate::kCellLeftDown;
    if (x == -1 && y == 1)
        return Projectile_Boss_Ultimate::kCellLeftUp;
    if (x == 1 && y == 1)
        return Projectile_Boss_Ultimate::kCellRightUp;
    if (x == 1 && y == -1)
        return Projectile_Boss_Ultimate::kCellRightDown;
    return -1;
}

} // namespace

Projectile_Boss_Ultimate::Projectile_Boss_Ultimate(std::string name)
    : CharacterObject(std::move(name))
{
    typeName = TypeNames::Projectile_Boss_Ultimate;
    contactDamage = kContactDamage;
}

Projectile_Boss_Ultimate::~Projectile_Boss_Ultimate()
{
    currentGraphical = nullptr;
}

void Projectile_Boss_Ultimate::DeclareSounds()
{
    DeclareSound("NPC_Boss_Final2_BigStone");
    DeclareSound("NPC_Boss_Final2_SmallStone");
}

Point<int> Projectile_Boss_Ultimate::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void Projectile_Boss_Ultimate::Load(int sprite)
{
    auto& slot = sprites[static_cast<size_t>(sprite)];
    if (slot == nullptr)
        slot = Enemy::CloneGraphical(std::string("Projectile_Boss_Ultimate_") + kSpriteNames[sprite]);
}

void Projectile_Boss_Ultimate::AreaFrom(const char* markerName)
{
    CharacterObject* marker = Boss::Find(markerName);
    if (marker == nullptr)
        return;
    const Point<int> at = marker->GetPosition().ToInt();
    const Point<int> s = marker->GetSize();
    area = Rect<int>(at.x, at.y + s.y, at.x + s.x, at.y);
}

Rect<int> Projectile_Boss_Ultimate::OwnBox() const
{
    const Point<int> at = position.ToInt();
    const Point<int> s = GetSize();
    return Rect<int>(at.x, at.y + s.y, at.x + s.x, at.y);
}

void Projectile_Boss_Ultimate::ResetToStart()
{
    SetDrawnInFront(true);
    switch (state) {
    case kCell: {
        const int look = CellSprite(direction);
        if (look >= 0) {
            Load(look);
            Load(look + kDieLeftDown);
            currentGraphical = GetSprite(look);
        }
        life = 1;
        dropsItems = 0;
        break;
    }
    case kLargeStone:
        LoadSounds();
        Load(kLargeIdle);
        currentGraphical = GetSprite(kLargeIdle);
        startOrTarget = position.ToInt();
        AddSpriteBox();
        drawInstance.SetTrailLength(kTrail);
        dropsItems = 0;
        break;
    case kMiniStone:
        LoadSounds();
        Load(kMiniIdle);
        currentGraphical = GetSprite(kMiniIdle);
        speed = kMiniSpeed;
        AddSpriteBox();
        dropsItems = 0;
        break;
    case kSpit:
        Load(kMovingIdle);
        Load(kMovingSplash);
        currentGraphical = GetSprite(kMovingIdle);
        speed = kSpitSpeed;
        AreaFrom("boss_attack1");
        life = 1;
        dropsItems = 0;
        SetDrawnFlagged(false);
        drawInstance.SetTrailLength(kTrail);
        break;
    case kSpikeTravel:
        Load(kMoving2Idle);
        currentGraphical = GetSprite(kMoving2Idle);
        AreaFrom("boss_attack2");
        drawInstance.SetTrailLength(kTrail);
        dropsItems = 0;
        break;
    case kClawWait:
        Load(kClawAttack);
        currentGraphical = nullptr;
        AreaFrom("boss_attack2");
        dropsItems = 0;
        frameCounter = kClawFirstWait;
        break;
    default:
        break;
    }
}

void Projectile_Boss_Ultimate::AddSpriteBox()
{
    if (currentGraphical == nullptr)
        return;
    const Point<int> s = currentGraphical->GetSize();
    collisionShapes.push_back(new CollisionBox<int>(0, s.y - 1, s.x - 1, 0));
}

void Projectile_Boss_Ultimate::PlayBossSound(const std::string& name)
{
    if (auto* boss = dynamic_cast<NPC_Boss_Ultimate*>(Boss::Find("NPC_Boss_Ultimate")))
        boss->PlaySound(name);
}

void Projectile_Boss_Ultimate::Burst()
{
    deathSoundIndex = 0;
    PlayCharacterHitSound(this);
    UpdateSounds();
    dead = true;
    const Point<float> at = GetCenter() - Point<float>(16.0f, 0.0f);
    for (const auto& d : kMiniDirections) {
        auto* mini = Boss::CreateAs<Projectile_Boss_Ultimate>(
            "Projectile_Boss_Ultimate", "Projectile_Boss_Ultimate_Step2");
        if (mini == nullptr)
            continue;
        mini->SetPosition(at);
        mini->SetState(kMiniStone);
        mini->SetOwner(owner);
        mini->SetDirection(Point<float>(d[0], d[1]));
    }
}

void Projectile_Boss_Ultimate::StepLargeStone(double dt)
{
    frameCounter = static_cast<int>(frameCounter + dt);
    const double t = frameCounter / 1000.0;
    position = Point<float>(static_cast<float>(startOrTarget.x + t * direction.x),
        static_cast<float>(startOrTarget.y + direction.y * t - kHalfGravity * t * t));
    if (Enemy::CollisionsLayer() == nullptr)
        return;
    const Rect<int> box = OwnBox();
    for (CharacterObject* collider : Boss::FindAll("Collider", nullptr, false)) {
        if (collider == nullptr)
            continue;
        const Point<int> at = collider->GetPosition().ToInt();
        const Point<int> s = collider->GetSize();
        if (BoxesOverlap(box, Rect<int>(at.x, at.y + s.y, at.x + s.x, at.y))) {
            Burst();
            return;
        }
    }
}

void Projectile_Boss_Ultimate::StepMiniStone()
{
    direction.y = std::max(direction.y - kMiniFall, kMiniFallMax);
    Layer* collisions = Enemy::CollisionsLayer();
    if (collisions == nullptr || !Enemy::TouchesWall(*this, collisions))
        return;
    dead = true;
    deathSoundIndex = 1;
    PlayCharacterHitSound(this);
    UpdateSounds();
}

void Projectile_Boss_Ultimate::StepSpikeTravel()
{
    const Point<float> u = Boss::Normalized(startOrTarget.ToFloat() - position);
    direction += u * kSpikePull;
    const float length = std::sqrt(direction.x * direction.x + direction.y * direction.y);
    if (length <= 0.0f)
        return;
    const float clamped = std::clamp(length, kSpikeMin, kSpikeMax);
    direction = direction * (clamped / length);
}

void Projectile_Boss_Ultimate::StepClaw()
{
    if (frameCounter > 0)
        --frameCounter;
    if (frameCounter != 0)
        return;
    CharacterObject* player = Boss::ThePlayer();
    if (player == nullptr)
        return;
    const Point<int> at = player->GetPosition().ToInt();
    const Point<int> s = player->GetSize();
    if (BoxesOverlap(Rect<int>(at.x, at.y + s.y, at.x + s.x, at.y), area)) {
        frameCounter = -1;
        state = kClawStrike;
        PlayBossSound("NPC_Boss_Final2_TailAttack");
        currentGraphical = GetSprite(kClawAttack);
        const int width = currentGraphical != nullptr ? currentGraphical->GetSize().x : 0;
        int x = static_cast<int>(player->GetCenter().x) - width / 2;
        x = std::max(x, area.x0);
        x = std::min(x, area.x1 - width - 1);
        position = Point<float>(static_cast<float>(x), static_cast<float>(area.y1));
    }
    if (frameCounter == -1) {
        const float r = static_cast<float>(Boss::Random01());
        frameCounter = static_cast<int>(150.0f + 300.0f * (0.95f * r));
    }
}

void Projectile_Boss_Ultimate::Update(double dt)
{
    GraphicalObject* before = currentGraphical;
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    if (currentGraphical != nullptr) {
        if (state == kLargeStone)
            StepLargeStone(dt);
        else if (state == kMiniStone)
            StepMiniStone();
        else if (state == kSpikeTravel)
            StepSpikeTravel();
        else if (state == kSpikeLaunched && frameCounter > 0) {
            if (--frameCounter == 0) {
                direction = Point<float>(-0.5f, -0.5f);
                speed = kLaunchSpeed;
                PlayBossSound("NPC_Boss_Final2_SpikeAttack");
            }
        } else if (state == kSplash && currentGraphical->IsAnimationFinished()) {
            PlayBossSound("NPC_Boss_Final2_SpitSplash");
            dead = true;
        }
    }
    previousPosition = position;
    position += direction * Enemy::StepLength(speed, dt);
    // A stone that left the level below (no floor band or floor met it)
    // leaves the fight instead of falling for ever.
    if ((state == kLargeStone || state == kMiniStone) && position.y + GetSize().y < 0.0f)
        dead = true;
    if (state == kSpit && position.y <= area.y1) {
        currentGraphical = GetSprite(kMovingSplash);
        life = 1;
        position.y = static_cast<float>(area.y1);
        state = kSplash;
        speed = 0.0f;
    }
    if (state == kSpikeLaunched && position.y <= area.y0) {
        Boss::ShakeCamera(30, 2.0f, 4.0f, 10.0f, 2.0f);
        dead = true;
        PlayBossSound("NPC_Boss_Final2_SpikeExplod");
    }
    if (state == kClawStrike && currentGraphical != nullptr && currentGraphical->IsAnimationFinished()) {
        state = kClawWait;
        currentGraphical = nullptr;
    }
    if (state == kClawWait)
        StepClaw();
    if (state == kSpikeTravel) {
        const Point<float> a = Boss::Normalized(startOrTarget.ToFloat() - position);
        const Point<float> b = Boss::Normalized(startOrTarget.ToFloat() - previousPosition);
        if (a.x * b.x + a.y * b.y < 0.0f) {
            position = startOrTarget.ToFloat();
            speed = 0.0f;
            state = kSpikeParked;
        }
    }
    if (currentGraphical != before && currentGraphical != nullptr)
        currentGraphical->RestartAnimations(true);
    DamagePlayerOnContact();
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
}

bool Projectile_Boss_Ultimate::IsHitByBox(Rect<int> box, bool flag)
{
    if (state == kCell)
        return CharacterObject::IsHitByBox(box, flag);
    if (state == kSplash && flag)
        return CharacterObject::IsHitByBox(box, flag);
    return false;
}

void Projectile_Boss_Ultimate::ApplyDamage(CharacterObject* attacker, int damage)
{
    CharacterObject::ApplyDamage(attacker, damage);
    if (life <= 0)
        return;
    life -= damage;
    if (life > 0)
        return;
    if (state == kCell || state == 1) {
        if (auto* body = dynamic_cast<NPC_Boss_Ultimate*>(owner))
            body->TruncateChain(this);
    } else if (state == kSplash) {
        dead = true;
    }
}
