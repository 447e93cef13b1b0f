#include "bosses/NPC_Boss2_Garden.h"

#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/SpacialInstance.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Boss2_Garden.h"
#include <vector>

void Zone_NPCSpawner_Boss2_Garden::Instance::Spawn(int x, int y, Level* level)
{
    // Its skulls appear at the "spawnzone" placements of the scene layers.
    std::vector<Point<int>>& points = NPC_Boss2_Garden::SpawnPoints();
    if (IsPending())
        points.clear();
    NPCSpawner::Spawn<NPC_Boss2_Garden>(
        *this, x, y, {"NPC_Boss2_Garden", NPCSpawner::Naming::AfterPlacing}, [&](NPC_Boss2_Garden& /*boss*/) {
            for (int i = 0; level != nullptr && i < level->GetLayerCount(Level::kScene); ++i) {
                Layer* layer = level->GetLayerAt(Level::kScene, i);
                if (layer == nullptr)
                    continue;
                const auto found = layer->FindInstancesByName("spawnzone");
                for (auto* spawnZone : *found)
                    points.push_back(spawnZone->GetPosition().ToInt());
            }
        });
}
