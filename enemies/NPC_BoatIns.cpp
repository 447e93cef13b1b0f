#include "enemies/NPC_BoatIns.h"

#include "enemies/EnemyFramework.h"
#include "enemies/NPC_BoatPlant.h"
#include "enemies/Projectile_Ins_Acid.h"
#include "engine/platform/Random.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"

#include <cmath>
#include <utility>

namespace {

// The insect aims with the centre of its 32-pixel body.
constexpr Point<float> kAimOffset {16.0f, 16.0f};
// A target closer than 16 pixels is reached.
constexpr float kReachedSq = 256.0f;
// Share of the way to the target added to the heading every update.
constexpr float kSteer = 0.2f;
// Where a drop leaves the insect.
constexpr Point<float> kDropOffset {0.0f, -16.0f};

Point<float> Normalised(Point<float> v)
{
    const float length = std::sqrt(v.x * v.x + v.y * v.y);
    return length > 0.0f ? Point<float>(v.x / length, v.y / length) : v;
}

} // namespace

NPC_BoatIns::NPC_BoatIns(std::string name)
    : CharacterObject(std::move(name))
    , idle(Enemy::CloneGraphical("NPC_BoatIns_GraphicalIdle"))
{
    typeName = TypeNames::NPC_BoatIns;
    currentGraphical = idle.get();
    speed = 1.25f;
    life = 1;
    stateTimer = 0;
}

NPC_BoatIns::~NPC_BoatIns()
{
    currentGraphical = nullptr;
}

Point<int> NPC_BoatIns::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void NPC_BoatIns::ChooseTarget()
{
    int w = zone.x1 - zone.x0;
    const int h = zone.y0 - zone.y1;
    if (stateTimer > 0)
        w = static_cast<int>(static_cast<float>(w) * 0.5f);
    // In double: r / 2^32 stays below 1, so the point stays inside the zone
    // (as a float the highest draws would round up to 1.0, one past its edge).
    const double r1 = platform::RandomFraction();
    const double r2 = platform::RandomFraction();
    target = Point<int>(zone.x0 + static_cast<int>(r1 * w), zone.y1 + static_cast<int>(r2 * h));
    if (stateTimer > 0 && static_cast<float>(zone.x0 + w) > position.x)
        target.x += static_cast<int>(static_cast<float>(h) * 0.5f);
}

void NPC_BoatIns::Update(double dt)
{
    CharacterObject::Update(dt);
    ++stateTimer;
    if (Enemy::ThePlayer() == nullptr)
        return;
    DamagePlayerOnContact();
    Point<float> to = target.ToFloat() - (position + kAimOffset);
    if (to.x * to.x + to.y * to.y < kReachedSq) {
        ChooseTarget();
        to = target.ToFloat() - (position + kAimOffset);
    }
    if (stateTimer >= kDropEvery) {
        stateTimer = 0;
        if (auto* drop = Enemy::CreateAs<Projectile_Ins_Acid>("Projectile_Ins_Acid"))
            drop->SetPosition(position + kDropOffset);
    }
    direction = Normalised(direction + Normalised(to) * kSteer);
    position += direction * Enemy::StepLength(speed, dt);
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
    speed = kCruiseSpeed;
    previousState = state;
}

void NPC_BoatIns::ApplyDamage(CharacterObject* attacker, int damage)
{
    CharacterObject::ApplyDamage(attacker, damage);
    if (attacker == nullptr)
        return;
    life = life > 0 ? life - damage : 0;
    if (life < 1 && !dead) {
        dead = true;
        if (auto* plant = dynamic_cast<NPC_BoatPlant*>(owner))
            plant->InsectDied();
    }
}
