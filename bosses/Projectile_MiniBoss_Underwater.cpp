#include "bosses/Projectile_MiniBoss_Underwater.h"

#include "bosses/BossFrame.h"
#include "enemies/EnemyFramework.h"
#include "enemies/NPC_JellyFish.h"
#include "engine/serial/TypeNames.h"
#include "scene/CollisionShape.h"
#include "scene/GraphicalObject.h"

#include <utility>

namespace {

// The jellyfish's roaming rectangle, through its setter once it has one.
template <class Jelly> void GiveZone(Jelly* jelly, const Rect<int>& zone)
{
    if constexpr (requires { jelly->SetZone(0, 0, 0, 0); })
        jelly->SetZone(zone.x0, zone.y0, zone.x1, zone.y1);
    else
        jelly->rect = zone;
}

} // namespace

Projectile_MiniBoss_Underwater::Projectile_MiniBoss_Underwater(std::string name)
    : CharacterObject(std::move(name))
    , idle(Enemy::CloneGraphical("Projectile_MiniBoss_Underwater_GraphicalIdle"))
    , open(Enemy::CloneGraphical("Projectile_MiniBoss_Underwater_GraphicalOpen"))
{
    typeName = TypeNames::Projectile_MiniBoss_Underwater;
    dropsItems = 0;
    speed = 1.0f;
    state = kRising;
    currentGraphical = idle.get();
    if (idle != nullptr) {
        const Point<int> s = idle->GetSize();
        collisionShapes.push_back(new CollisionBox<int>(0, s.y - 1, s.x - 1, 0));
    }
    LoadSounds();
}

Projectile_MiniBoss_Underwater::~Projectile_MiniBoss_Underwater()
{
    currentGraphical = nullptr;
}

Point<int> Projectile_MiniBoss_Underwater::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void Projectile_MiniBoss_Underwater::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled)
        return;
    DamagePlayerOnContact();
    if (state == kRising)
        speed += kPush;
    direction = Point<float>(direction.x * 0.8f, -1.0f);
    position = position + direction * Enemy::StepLength(speed, dt);
    if (state == kRising && Enemy::TouchesWall(*this, Enemy::CollisionsLayer())) {
        speed = 0.0f;
        state = kOpening;
        currentGraphical = open.get();
        if (currentGraphical != nullptr)
            currentGraphical->RestartAnimations(true);
    }
    if (state == kOpening && (currentGraphical == nullptr || currentGraphical->IsAnimationFinished())) {
        if (auto* jelly = Boss::CreateAs<NPC_JellyFish>("NPC_JellyFish")) {
            GiveZone(jelly, jellyZone);
            jelly->SetPosition(position);
            jelly->PickRandomDirection(false);
        }
        dead = true;
    }
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
}
