#include "enemies/Projectile_Chained_Skull.h"

#include "characters/Player.h"
#include "enemies/EnemyFramework.h"
#include "enemies/Projectile_Fire_Launcher.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"

#include <utility>

namespace {

constexpr int kTrailLength = 5;
// The mouth moves 8 pixels per update, whatever the frame time.
constexpr float kMouthStep = 8.0f;
constexpr int kMoveFrames = 7;
constexpr int kRestFrames = 66;
// The player is shot at closer than 512 pixels.
constexpr float kSpitRangeSq = 262144.0f;

} // namespace

Projectile_Chained_Skull::Projectile_Chained_Skull(std::string name)
    : CharacterObject(std::move(name))
    , graphical(Enemy::CloneGraphical("Projectile_Chained_Skull_GraphicalIdle"))
{
    typeName = TypeNames::Projectile_Chained_Skull;
    speed = 8.0f;
    direction = Point<float>(0.0f, -1.0f);
    dropsItems = 0;
    drawInstance.SetTrailLength(kTrailLength);
    currentGraphical = graphical.get();
}

Projectile_Chained_Skull::~Projectile_Chained_Skull()
{
    currentGraphical = nullptr;
    // A mouth deleted before its skull (a level released) unlinks itself.
    if (owner != nullptr)
        owner->RemoveChild(this);
}

Point<int> Projectile_Chained_Skull::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

CharacterObject* Projectile_Chained_Skull::GetPartner() const
{
    return Enemy::IsLive(partner, partnerName) ? partner : nullptr;
}

void Projectile_Chained_Skull::SetPartner(CharacterObject* value)
{
    partner = value;
    partnerName = value != nullptr ? value->GetName() : std::string();
}

void Projectile_Chained_Skull::SetMouthMode()
{
    currentGraphical = nullptr;
    graphical = Enemy::CloneGraphical("NPC_Chained_Skull_Graphical_Mouth");
    currentGraphical = graphical.get();
    speed = 4.0f;
    mouthMode = true;
    direction = Point<float>(0.0f, 0.0f);
    drawInstance.SetTrailLength(0);
}

void Projectile_Chained_Skull::MouthStep()
{
    --stateTimer;
    if (stateTimer >= 1)
        return;
    if (state == kResting) {
        state = kGoingDown;
        if (currentGraphical != nullptr)
            currentGraphical->RestartAnimations(true);
        stateTimer = kMoveFrames;
        direction = Point<float>(0.0f, -1.0f);
    } else if (state == kGoingDown) {
        stateTimer = kMoveFrames;
        state = kGoingUp;
        direction = Point<float>(0.0f, 1.0f);
        const Point<float> d = Enemy::ToPlayer(*this);
        if (d.x * d.x + d.y * d.y < kSpitRangeSq)
            Spit();
    } else if (state == kGoingUp) {
        stateTimer = kRestFrames;
        state = kResting;
        direction = Point<float>(0.0f, 0.0f);
    }
}

void Projectile_Chained_Skull::Spit()
{
    auto* shot = Enemy::CreateAs<Projectile_Chained_Skull>("Projectile_Chained_Skull");
    if (shot == nullptr)
        return;
    shot->SetPosition(GetCenter() - shot->GetSize().ToFloat() * 0.5f);
    shot->SetPartner(GetPartner());
}

void Projectile_Chained_Skull::Burst(float partnerHeight)
{
    position.y = partnerHeight;
    dead = true;
    for (const float dx : {-1.0f, 1.0f}) {
        auto* flame = Enemy::CreateAs<Projectile_Fire_Launcher>("Projectile_Fire_Launcher");
        if (flame == nullptr)
            continue;
        flame->SetDirection(Point<float>(dx, 0.0f));
        flame->SetGraphicalChainedSkull();
        flame->SetPosition(Point<float>(position.x + static_cast<float>(GetSize().x) * 0.5f
                - static_cast<float>(flame->GetSize().x) * 0.5f,
            position.y));
        flame->SetBoundingCharacter(GetPartner());
    }
}

void Projectile_Chained_Skull::Update(double dt)
{
    // No base update: the mouth and the shots have no life to count.
    if (mouthMode && currentGraphical != nullptr && Enemy::ThePlayer() != nullptr)
        MouthStep();
    if (mouthMode) {
        direction.x = 0.0f;
        position += direction * kMouthStep;
    } else {
        position += direction * Enemy::StepLength(speed, dt);
        CharacterObject* live = GetPartner();
        if (live != nullptr && Enemy::CollisionsLayer() != nullptr) {
            const float height = static_cast<float>(static_cast<int>(live->GetPosition().y));
            if (position.y <= height)
                Burst(height);
        }
    }
    DamagePlayerOnContact();
    GraphicalObject* before = currentGraphical;
    currentGraphical = graphical.get();
    if (currentGraphical != nullptr) {
        if (currentGraphical != before)
            currentGraphical->RestartAnimations(true);
        currentGraphical->Update(dt);
    }
}
