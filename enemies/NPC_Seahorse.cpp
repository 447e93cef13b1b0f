#include "enemies/NPC_Seahorse.h"

#include "characters/Player.h"
#include "enemies/EnemyFramework.h"
#include "enemies/Projectile_Seahorse.h"
#include "engine/platform/Random.h"
#include "engine/serial/TypeNames.h"
#include "scene/AnimatedSprite.h"
#include "scene/CollisionShape.h"
#include "scene/GraphicalObject.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Seahorse.h"

#include <utility>

namespace {

// The player is shot at while closer than 500 pixels (squared).
constexpr float kRangeSquared = 250000.0f;
// The shot leaves half-way through the attack.
constexpr float kFireProgress = 0.5f;
// A draw above this turns right, else left.
constexpr float kRightChance = 0.5f;

// The progress of the first animated sprite: its frame over its last frame.
float FrameProgress(GraphicalObject& g)
{
    GraphicalObject::AnimatedInstance* first = g.GetAnimatedInstance(0);
    if (first == nullptr || first->GetPrototype() == nullptr)
        return 0.0f;
    const int last = first->GetPrototype()->GetFrameCount() - 1;
    if (last <= 0)
        return first->GetFrame() >= 0 ? 1.0f : 0.0f;
    return static_cast<float>(first->GetFrame()) / static_cast<float>(last);
}

} // namespace

NPC_Seahorse::NPC_Seahorse(std::string name)
    : CharacterObject(std::move(name))
    , moveLeft(Enemy::CloneGraphical("NPC_Seahorse_GraphicalMoveL"))
    , moveRight(Enemy::CloneGraphical("NPC_Seahorse_GraphicalMoveR"))
    , attackLeft(Enemy::CloneGraphical("NPC_Seahorse_GraphicalAttackL"))
    , attackRight(Enemy::CloneGraphical("NPC_Seahorse_GraphicalAttackR"))
{
    typeName = TypeNames::NPC_Seahorse;
    life = kLife;
    state = kMove;
    LoadSounds();
}

NPC_Seahorse::~NPC_Seahorse()
{
    currentGraphical = nullptr;
}

void NPC_Seahorse::DeclareSounds()
{
    CharacterObject::DeclareSounds();
    DeclareSound("NPC_SeaHorse_Attack");
}

std::vector<GraphicalObject*> NPC_Seahorse::GetRelatedGraphicalObjects()
{
    return Enemy::RelatedGraphicals("Seahorse");
}

Point<int> NPC_Seahorse::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void NPC_Seahorse::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    // Both centres from the integer positions, truncated.
    Point<float> toPlayer;
    if (CharacterObject* player = Enemy::ThePlayer()) {
        const auto centre = [](const CharacterObject& c) {
            return c.GetPosition().ToInt() + Point<int>(c.GetSize().x / 2, c.GetSize().y / 2);
        };
        toPlayer = (centre(*player) - centre(*this)).ToFloat();
    }
    if (currentGraphical != nullptr) {
        if (currentGraphical->IsAnimationFinished()) {
            if (state == kAttack) {
                float side = -1.0f;
                if (platform::RandomFraction() > kRightChance)
                    side = position.x + kStep > static_cast<float>(rightX) ? -1.0f : 1.0f;
                else
                    side = position.x - kStep < static_cast<float>(leftX) ? 1.0f : -1.0f;
                direction = Point<float>(side, 0.0f);
                state = kMove;
            } else if (state == kMove) {
                position.x += direction.x * kStep;
                state = kAttack;
                shotFired = false;
                direction = Point<float>(toPlayer.x > 0.0f ? 1.0f : -1.0f, 0.0f);
            }
        } else if (toPlayer.x * toPlayer.x + toPlayer.y * toPlayer.y < kRangeSquared && !shotFired
            && state == kAttack && FrameProgress(*currentGraphical) >= kFireProgress) {
            Fire(toPlayer);
        }
    }
    GraphicalObject* before = currentGraphical;
    const bool right = direction.x > 0.0f;
    if (state == kMove) {
        currentGraphical = right ? moveRight.get() : moveLeft.get();
    } else {
        currentGraphical = right ? attackRight.get() : attackLeft.get();
        DamagePlayerOnContact();
    }
    Enemy::StepGraphical(*this, before, dt);
    previousState = state;
    UpdateSounds();
}

void NPC_Seahorse::Fire(Point<float> toPlayer)
{
    if (auto* shot = Enemy::CreateAs<Projectile_Seahorse>("Projectile_Seahorse")) {
        const Point<int> at = position.ToInt();
        const Point<int> fallback
            = at + Point<int>(currentGraphical->GetSize().x / 2, currentGraphical->GetSize().y - 10);
        const Point<int> spawn = Enemy::SpawnPointOr(*this, fallback);
        const Point<int> half(shot->GetSize().x / 2, shot->GetSize().y / 2);
        shot->SetPosition((spawn - half).ToFloat());
        Point<float> aim = toPlayer;
        aim.Normalize(false);
        shot->SetDirection(aim);
    }
    PlaySound("NPC_SeaHorse_Attack");
    shotFired = true;
}

bool NPC_Seahorse::IsHitByBox(Rect<int> box, bool flag)
{
    return state != kMove && CharacterObject::IsHitByBox(box, flag);
}

void NPC_Seahorse::ReceiveHit(CharacterObject* attacker, int kind, float amount)
{
    Enemy::ReceiveHit(*this, attacker, kind, amount, Enemy::kIceHit);
}

void NPC_Seahorse::ApplyDamage(CharacterObject* attacker, int damage)
{
    // A moving seahorse takes nothing, not even the flash.
    if (state == kMove)
        return;
    Enemy::ApplyDamage(*this, attacker, damage, false);
}

void Zone_NPCSpawner_Seahorse::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Seahorse>(*this, x, y, {"NPC_Seahorse"}, [&](NPC_Seahorse& seahorse) {
        seahorse.SetLeftBound(x - 64);
        seahorse.SetRightBound(x + GetSize().x - 64);
    });
}

Projectile_Seahorse::Projectile_Seahorse(std::string name)
    : CharacterObject(std::move(name))
    , idle(Enemy::CloneGraphical("Projectile_Seahorse_GraphicalIdle"))
{
    typeName = TypeNames::Projectile_Seahorse;
    dropsItems = 0;
    speed = 10.0f;
    currentGraphical = idle.get();
    if (idle != nullptr) {
        const Point<int> s = idle->GetSize();
        collisionShapes.push_back(new CollisionLine<int>(Point<int>(0, s.y - 1), Point<int>(s.x - 1, 0)));
    }
    drawInstance.SetTrailLength(3);
}

Projectile_Seahorse::~Projectile_Seahorse()
{
    currentGraphical = nullptr;
}

Point<int> Projectile_Seahorse::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void Projectile_Seahorse::Update(double dt)
{
    CharacterObject::Update(dt);
    DamagePlayerOnContact();
    if (--lifetime <= 0)
        dead = true;
    position += direction * Enemy::StepLength(speed, dt);
    // The shot's shape is a line; the world's walls are boxes: its own box
    // is what meets them.
    if (Enemy::TouchesWall(*this, Enemy::CollisionsLayer()))
        dead = true;
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
}

void Projectile_Seahorse::ReceiveHit(CharacterObject* /*attacker*/, int /*kind*/, float /*amount*/)
{
    dead = true;
}

void Projectile_Seahorse::ApplyDamage(CharacterObject* /*attacker*/, int /*damage*/)
{
}
