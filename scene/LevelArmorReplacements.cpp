// The level's preparation of the armor replacements at its entry.

#include "engine/platform/DebugOutput.h"
#include "scene/ArmorReplacementTable.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/LoadingScreen.h"

void Level::PrepareArmorReplacements(ArmorReplacementTable* armor)
{
    if (armor == nullptr)
        return;
    if (armor->IsReplacementTableEmpty()) {
        armor->BuildReplacementTable();
        platform::DebugOutput("Ice Armor Initialized Early (DEBUG MODE)\n");
    }
    Layer* collisions = GetLayer(kScene, "Collisions");
    if (collisions == nullptr)
        return;
    for (int list : {kBackground, kForeground, kScene}) {
        for (int i = 0; i < GetLayerCount(list); ++i) {
            Layer* layer = GetLayerAt(list, i);
            // Every layer that scrolls with the camera, "Collisions" too.
            if (layer == nullptr || layer->GetScrollFactor().x != 1.0f || layer->GetScrollFactor().y != 1.0f)
                continue;
            for (size_t k = 0; k < layer->GetInstanceCount(); ++k) {
                Instance* instance = layer->GetInstance(k);
                if (!instance->IsVisible() || instance->GetPrototype() == nullptr)
                    continue;
                RefreshLoadingScreen();
                if (armor->GetReplacementIndex(instance->GetPrototype()->GetName()) >= 0)
                    armor->RecordReplaceable(layer, instance, collisions);
            }
        }
    }
}
