#include "enemies/NPC_CrouchSkull_Boat.h"

#include "enemies/EnemyFramework.h"
#include "enemies/NpcTuning.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_CrouchSkull_Boat.h"

#include <utility>

namespace {

// Within 8 pixels of the player's centre the skull pauses its steering for
// 10 updates.
constexpr float kCloseSq = 64.0f;
constexpr int kPauseFrames = 10;

} // namespace

NPC_CrouchSkull_Boat::NPC_CrouchSkull_Boat(std::string name)
    : NPC_CrouchSkull(std::move(name))
{
    typeName = TypeNames::NPC_CrouchSkull_Boat;
    SetLooks(Enemy::CloneGraphical("NPC_CrouchSkull_Boat_GraphicalWalkL"),
        Enemy::CloneGraphical("NPC_CrouchSkull_Boat_GraphicalWalkR"),
        Enemy::CloneGraphical("NPC_CrouchSkull_Boat_GraphicalDie"));
    life = NpcTuning::Current().crouchSkullBoatMaxLife;
    speed = NpcTuning::Current().crouchSkullBoatSpeed;
}

NPC_CrouchSkull_Boat::~NPC_CrouchSkull_Boat()
{
    if (auto* placement = dynamic_cast<Zone_NPCSpawner_CrouchSkull_Boat::Instance*>(spawnerLink))
        placement->character = nullptr;
}

float NPC_CrouchSkull_Boat::GetSpeed(int forState) const
{
    if (forState == kWalk)
        return playerInZone ? NpcTuning::Current().crouchSkullBoatSpeedFollow
                            : NpcTuning::Current().crouchSkullBoatSpeed;
    if (forState == kRecover)
        return NpcTuning::Current().crouchSkullSpeed * 0.5f;
    return 0.0f;
}

double NPC_CrouchSkull_Boat::GetStateDelay(int forState) const
{
    if (forState == kWalk)
        return static_cast<double>(NpcTuning::Current().crouchSkullBoatIdleWait);
    return forState == kRecover ? 10.0 : 0.0;
}

void NPC_CrouchSkull_Boat::Update(double dt)
{
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    if (Enemy::ThePlayer() != nullptr) {
        Point<float> d = Enemy::ToPlayer(*this);
        if (steeringPause != 0) {
            --steeringPause;
            speed = 0.0f;
        } else if (d.x * d.x + d.y * d.y <= kCloseSq) {
            steeringPause = kPauseFrames;
        }
        if (state == kWalk && speed != 0.0f && steeringPause <= 0) {
            d.Normalize(false);
            direction.x = playerInZone ? d.x : (direction.x > 0.0f ? 1.0f : -1.0f);
        }
    }
    NPC_CrouchSkull::Update(dt);
}

void Zone_NPCSpawner_CrouchSkull_Boat::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (IsPending())
        Unlink();
    NPCSpawner::Spawn<NPC_CrouchSkull_Boat>(*this, x, y,
        {"NPC_CrouchSkull_Boat", NPCSpawner::Naming::Placement, &NPC_CrouchSkull_Boat::walkRect,
            NPCSpawner::Area::Rb},
        [this](NPC_CrouchSkull_Boat& skull) {
            character = &skull;
            skull.spawnerLink = this;
        });
}

void Zone_NPCSpawner_CrouchSkull_Boat::Instance::Unlink()
{
    if (auto* skull = dynamic_cast<NPC_CrouchSkull_Boat*>(character))
        skull->spawnerLink = nullptr;
    character = nullptr;
}

namespace {

void SetPlayerInZone(GameplayObject_Zone::Placed* placed, bool inside)
{
    auto* zone = placed != nullptr
        ? dynamic_cast<Zone_NPCSpawner_CrouchSkull_Boat::Instance*>(placed->GetPayload())
        : nullptr;
    if (zone == nullptr)
        return;
    if (auto* skull = dynamic_cast<NPC_CrouchSkull_Boat*>(zone->character))
        skull->playerInZone = inside;
}

} // namespace

void Zone_NPCSpawner_CrouchSkull_Boat::OnEnter(Placed* placed)
{
    SetPlayerInZone(placed, true);
}

void Zone_NPCSpawner_CrouchSkull_Boat::OnLeave(Placed* placed)
{
    SetPlayerInZone(placed, false);
}
