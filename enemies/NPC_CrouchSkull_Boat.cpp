#include "enemies/NPC_CrouchSkull_Boat.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_CrouchSkull_Boat.h"

NPC_CrouchSkull_Boat::~NPC_CrouchSkull_Boat()
{
    if (auto* placement = dynamic_cast<Zone_NPCSpawner_CrouchSkull_Boat::Instance*>(spawnerLink))
        placement->character = nullptr;
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
