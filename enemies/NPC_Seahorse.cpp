#include "enemies/NPC_Seahorse.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Seahorse.h"

void Zone_NPCSpawner_Seahorse::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Seahorse>(*this, x, y, {"NPC_Seahorse"}, [&](NPC_Seahorse& seahorse) {
        seahorse.leftX = x - 64;
        seahorse.rightX = x + GetSize().x - 64;
    });
}
