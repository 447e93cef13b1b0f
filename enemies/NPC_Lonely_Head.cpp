#include "enemies/NPC_Lonely_Head.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Lonely_Head.h"

void Zone_NPCSpawner_Lonely_Head::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Lonely_Head>(*this, x, y, {"NPC_Lonely_Head"}, [&](NPC_Lonely_Head& head) {
        // Halfway up the zone, which bounds its rise and fall.
        const Point<int> offset = GetOffset();
        head.SetPosition(Point<float>(static_cast<float>(offset.x), static_cast<float>(offset.y))
            + Point<float>(
                static_cast<float>(x), static_cast<float>(y) + static_cast<float>(GetSize().y) * 0.5f));
        head.lowerY = y;
        head.upperY = y + GetSize().y;
    });
}
