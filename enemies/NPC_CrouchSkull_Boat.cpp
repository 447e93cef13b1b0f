#include "enemies/NPC_CrouchSkull_Boat.h"

#include "zones/Zone_NPCSpawner_CrouchSkull_Boat.h"

NPC_CrouchSkull_Boat::~NPC_CrouchSkull_Boat()
{
    if (auto* placement = dynamic_cast<Zone_NPCSpawner_CrouchSkull_Boat::Instance*>(spawnerLink))
        placement->character = nullptr;
}
