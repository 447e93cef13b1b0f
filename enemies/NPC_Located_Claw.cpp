#include "enemies/NPC_Located_Claw.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Located_Claw.h"

void Zone_NPCSpawner_Located_Claw::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Located_Claw>(*this, x, y,
        {"NPC_Located_Claw", NPCSpawner::Naming::Placement, &NPC_Located_Claw::rect, NPCSpawner::Area::R});
}
