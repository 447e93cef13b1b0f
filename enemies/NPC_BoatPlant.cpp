#include "enemies/NPC_BoatPlant.h"

#include "scene/Layer.h"
#include "scene/Level.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_BoatPlant.h"

void Zone_NPCSpawner_BoatPlant::Instance::Spawn(int x, int y, Level* level)
{
    NPCSpawner::Spawn<NPC_BoatPlant>(*this, x, y, {"NPC_BoatPlant"}, [&](NPC_BoatPlant& plant) {
        plant.parameter = PlantParameter.value;
        // The first zone of that name in the scene layers.
        for (int i = 0; level != nullptr && i < level->GetLayerCount(Level::kScene); ++i) {
            Layer* layer = level->GetLayerAt(Level::kScene, i);
            auto* zone = layer != nullptr ? layer->FindInstanceByName(LinkedZoneName.value) : nullptr;
            if (zone != nullptr && dynamic_cast<ZoneInstance*>(zone->GetPayload()) != nullptr) {
                plant.linkedZone = zone;
                break;
            }
        }
    });
}
