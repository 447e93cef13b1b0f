#include "enemies/NPC_JellyFish.h"

#include "engine/platform/Random.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_JellyFish.h"

#include <cmath>

void NPC_JellyFish::PickRandomDirection(bool /*first*/)
{
    const double fx = platform::RandomFraction();
    const double fy = platform::RandomFraction();
    const float tx = static_cast<float>(rect.x0 + fx * (rect.x1 - rect.x0));
    const float ty = static_cast<float>(rect.y1 + fy * (rect.y0 - rect.y1));
    const Point<float> centre = GetPosition();
    const float dx = tx - centre.x;
    const float dy = ty - centre.y;
    const float length = std::sqrt(dx * dx + dy * dy);
    if (length > 0.0f)
        SetDirection(Point<float>(dx / length, dy / length));
}

void Zone_NPCSpawner_JellyFish::Instance::Spawn(int x, int y, Level* /*level*/)
{
    // Each jellyfish starts at the centre of the zone (truncated), moved by the
    // offset.
    const Rect<int> r = NPCSpawner::MakeRects(x, y, GetSize()).R;
    const Point<int> at = GetOffset() + Point<int>((r.x0 + r.x1) / 2, (r.y0 + r.y1) / 2);
    NPCSpawner::SpawnEach<NPC_JellyFish>(*this, x, y,
        {"NPC_JellyFish", NPCSpawner::Naming::Placement, &NPC_JellyFish::rect, NPCSpawner::Area::R},
        SpawnCount.value, [&](NPC_JellyFish& fish) {
            fish.SetPosition(Point<float>(static_cast<float>(at.x), static_cast<float>(at.y)));
            fish.PickRandomDirection(true);
        });
}
