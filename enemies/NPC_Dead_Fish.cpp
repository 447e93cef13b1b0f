#include "enemies/NPC_Dead_Fish.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Dead_Fish.h"

void Zone_NPCSpawner_Dead_Fish::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Dead_Fish>(*this, x, y, {"NPC_Dead_Fish"}, [&](NPC_Dead_Fish& fish) {
        fish.SetDirection(Point<float>(1.0f, 0.0f));
        const auto fx = static_cast<float>(x);
        const auto fy = static_cast<float>(y);
        fish.rect
            = Rect<float>(fx, fy + static_cast<float>(GetSize().y), fx + static_cast<float>(GetSize().x), fy);
        fish.referencePoint = Point<float>(fx + 46.0f, fy + 32.0f);
    });
}
