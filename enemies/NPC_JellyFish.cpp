#include "enemies/NPC_JellyFish.h"

#include "enemies/EnemyFramework.h"
#include "enemies/NpcTuning.h"
#include "engine/platform/Random.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_JellyFish.h"

#include <algorithm>
#include <utility>

namespace {

// The frame time the glide estimate assumes.
constexpr double kGlideFrameMs = 33.0;
// A knock-back starts at this many pixels per second and keeps 0.8 of itself
// every update until it is negligible.
constexpr double kKnockbackPixelsPerSecond = 320.0;
constexpr float kKnockbackFade = 0.8f;
constexpr float kKnockbackRest = 0.0001f;

} // namespace

float NPC_JellyFish::glideDistance = 0.0f;

NPC_JellyFish::NPC_JellyFish(std::string name)
    : CharacterObject(std::move(name))
    , moveUpLeft(Enemy::CloneGraphical("NPC_JellyFish_GraphicalMoveUpLeft"))
    , moveUpRight(Enemy::CloneGraphical("NPC_JellyFish_GraphicalMoveUpRight"))
    , moveDownLeft(Enemy::CloneGraphical("NPC_JellyFish_GraphicalMoveDownLeft"))
    , moveDownRight(Enemy::CloneGraphical("NPC_JellyFish_GraphicalMoveDownRight"))
{
    typeName = TypeNames::NPC_JellyFish;
    const NpcTuning& tuning = NpcTuning::Current();
    speed = tuning.jellyFishSpeed;
    life = kLife;
    if (glideDistance == 0.0f && tuning.jellyFishSlowLimit > 0.0f && tuning.jellyFishSlowPercent < 1.0f
        && speed > 0.0f) {
        // One stroke at the fixed frame time: how far it carries.
        Point<float> v(1.0f, 0.0f);
        Point<float> p;
        const auto step = static_cast<float>(static_cast<double>(speed * 32.0f) * kGlideFrameMs * 0.001);
        while (v.Length() > tuning.jellyFishSlowLimit) {
            v = v * tuning.jellyFishSlowPercent;
            p += v * step;
        }
        glideDistance = p.Length();
    }
    stateTimer = static_cast<int>(platform::Random32() % 100u);
    SetDrawnInFront(true);
    LoadSounds();
}

NPC_JellyFish::~NPC_JellyFish()
{
    currentGraphical = nullptr;
}

Point<int> NPC_JellyFish::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

bool NPC_JellyFish::InsideZone(Point<int> p) const
{
    const Rect<int> r = rect.Normalized();
    return p.x >= r.x0 && p.x <= r.x1 && p.y >= r.y1 && p.y <= r.y0;
}

void NPC_JellyFish::PickRandomDirection(bool jump)
{
    const uint32_t r1 = platform::Random32();
    const uint32_t r2 = platform::Random32();
    const int w = rect.x1 - rect.x0;
    const int h = rect.y0 - rect.y1;
    const Point<int> s = GetSize();
    // A span of 0 or less has no point to draw: its start stands for it.
    const auto draw = [](uint32_t r, int span) {
        return span > 0 ? static_cast<int>(r % static_cast<uint32_t>(span)) : 0;
    };
    const int x = draw(r1, s.x + w) + rect.x0 - s.x / 2;
    const int y = draw(r2, s.y + h) + rect.y1 - s.y / 2;
    // A point on the position itself gives no heading: the direction
    // becomes (0, 0) and the jellyfish holds still until its next stroke.
    const auto headFor = [this](Point<float> d) {
        d.Normalize(false);
        direction = d;
    };
    headFor(Point<int>(x, y).ToFloat() - position);
    if (jump)
        position = Point<int>(x, y).ToFloat();
    const Point<float> end = position + GetSize().ToFloat() * 0.5f + direction * glideDistance;
    if (!InsideZone(end.ToInt()))
        headFor(GetBoxCenter(rect).ToFloat() - position);
}

void NPC_JellyFish::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    DamagePlayerOnContact();
    const NpcTuning& tuning = NpcTuning::Current();
    if (currentGraphical != nullptr && direction.Length() < tuning.jellyFishSlowLimit) {
        direction.Normalize(false);
        if (state == 0) {
            state = 1;
            const Point<float> end = GetCenter() + direction * glideDistance;
            if (!InsideZone(end.ToInt()))
                PickRandomDirection(false);
        } else {
            state = 0;
            PickRandomDirection(false);
        }
    }
    if (stateTimer > 0) {
        --stateTimer;
    } else {
        direction = direction * tuning.jellyFishSlowPercent;
        position += direction * Enemy::StepLength(speed, dt);
    }
    if (knockback.x * knockback.x + knockback.y * knockback.y > kKnockbackRest) {
        position += knockback * static_cast<float>(dt * kKnockbackPixelsPerSecond * 0.001);
        knockback = knockback * kKnockbackFade;
    } else {
        knockback = Point<float>();
    }
    GraphicalObject* before = currentGraphical;
    if (direction.x > 0.0f)
        currentGraphical = direction.y > 0.0f ? moveUpRight.get() : moveDownRight.get();
    else
        currentGraphical = direction.y > 0.0f ? moveUpLeft.get() : moveDownLeft.get();
    Enemy::StepGraphical(*this, before, dt);
    previousState = state;
    UpdateSounds();
}

void NPC_JellyFish::ReceiveHit(CharacterObject* attacker, int kind, float amount)
{
    Enemy::ReceiveHit(*this, attacker, kind, amount, Enemy::kFireHit);
}

void NPC_JellyFish::ApplyDamage(CharacterObject* attacker, int damage)
{
    CharacterObject::ApplyDamage(attacker, damage);
    if (attacker == nullptr)
        return;
    knockback = Point<float>(GetCenter().x >= attacker->GetCenter().x ? 1.0f : -1.0f, 0.0f);
    life = life >= 1 ? life - damage : 0;
    if (life < 1)
        dead = true;
}

void Zone_NPCSpawner_JellyFish::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::SpawnEach<NPC_JellyFish>(*this, x, y,
        {"NPC_JellyFish", NPCSpawner::Naming::Placement, &NPC_JellyFish::rect, NPCSpawner::Area::R},
        SpawnCount.value, [&](NPC_JellyFish& fish) {
            fish.SetPosition(GetOffset().ToFloat() + GetBoxCenter(fish.rect).ToFloat());
            fish.PickRandomDirection(true);
        });
}
