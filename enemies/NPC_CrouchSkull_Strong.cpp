#include "enemies/NPC_CrouchSkull_Strong.h"

#include "characters/Player.h"
#include "enemies/EnemyFramework.h"
#include "enemies/NPC_FloatingSkull.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_CrouchSkull_Strong.h"

#include <utility>

namespace {

// The released skull wanders a 256 x 256 square centred on the strong
// skull, starting 64 pixels further from the player, briefly unhittable.
constexpr int kReleaseHalfZone = 128;
constexpr int kReleaseStep = 64;
constexpr int kReleaseInvulnerableFrames = 10;

} // namespace

NPC_CrouchSkull_Strong::NPC_CrouchSkull_Strong(std::string name)
    : NPC_CrouchSkull(std::move(name))
{
    typeName = TypeNames::NPC_CrouchSkull_Strong;
    dropsItems = 0;
    SetLooks(Enemy::CloneGraphical("NPC_CrouchSkull_Strong_GraphicalWalkL"),
        Enemy::CloneGraphical("NPC_CrouchSkull_Strong_GraphicalWalkR"),
        Enemy::CloneGraphical("NPC_CrouchSkull_Strong_GraphicalDie"));
    life = 3;
}

void NPC_CrouchSkull_Strong::Update(double dt)
{
    if (state != kDying) {
        NPC_CrouchSkull::Update(dt);
        return;
    }
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    if (previousState != kDying) {
        currentGraphical = dieLook.get();
        if (currentGraphical != nullptr)
            currentGraphical->RestartAnimations(true);
        previousState = kDying;
    }
    if (currentGraphical == nullptr || currentGraphical->IsAnimationFinished())
        dead = true;
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
}

void NPC_CrouchSkull_Strong::ApplyDamage(CharacterObject* attacker, int damage)
{
    if (life == 0)
        return;
    NPC_CrouchSkull::ApplyDamage(attacker, damage);
    if (life <= 0 && !released) {
        released = true;
        ReleaseFloatingSkull();
    }
}

void NPC_CrouchSkull_Strong::ReleaseFloatingSkull()
{
    auto* skull = Enemy::CreateAs<NPC_FloatingSkull>("NPC_FloatingSkull");
    if (skull == nullptr)
        return;
    Player* player = Enemy::ThePlayer();
    const int side = player == nullptr || position.x >= player->GetPosition().x ? 1 : -1;
    skull->SetKind(0);
    const Point<int> p = position.ToInt();
    skull->roamingRect = Rect<int>(
        p.x - kReleaseHalfZone, p.y + kReleaseHalfZone, p.x + kReleaseHalfZone, p.y - kReleaseHalfZone);
    skull->PickRandomDestination();
    skull->SetPosition(position);
    skull->SetDestination(skull->GetPosition().ToInt() + Point<int>(side * kReleaseStep, 0));
    skull->SetInvulnerableFrames(kReleaseInvulnerableFrames);
    skull->SetInvulnerable(true);
}

void Zone_NPCSpawner_CrouchSkull_Strong::Instance::Spawn(int x, int y, Level* /*level*/)
{
    // The skull made by the last spawn, or null when none was.
    if (IsPending())
        character = NPCSpawner::Spawn<NPC_CrouchSkull_Strong>(*this, x, y,
            {"NPC_CrouchSkull_Strong", NPCSpawner::Naming::Placement, &NPC_CrouchSkull_Strong::walkRect,
                NPCSpawner::Area::Rc});
}
