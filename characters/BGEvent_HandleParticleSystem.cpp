#include "characters/BGEvent_HandleParticleSystem.h"

#include "characters/LocalParticleSystem.h"
#include "scene/EventTick.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/SceneGameAccess.h"

#include <utility>

BGEvent_HandleParticleSystem::BGEvent_HandleParticleSystem(
    std::string name_, LocalParticleSystem* system_, bool removeWhenDone_, Point<int> position_)
    : BackgroundEvent(std::move(name_))
    , system(system_)
    , removeWhenDone(removeWhenDone_)
    , position(position_)
{
    // The system bursts where the event stands from its first frame on.
    if (system != nullptr)
        system->SetPosition(position);
}

Layer* BGEvent_HandleParticleSystem::FindLayer() const
{
    SceneGameAccess* game = GetSceneGameAccess();
    Level* level = game != nullptr ? game->GetCurrentLevel() : nullptr;
    if (level == nullptr || system == nullptr)
        return nullptr;
    for (const int list : {Level::kBackground, Level::kScene, Level::kForeground}) {
        for (int i = 0; i < level->GetLayerCount(list); ++i) {
            Layer* layer = level->GetLayerAt(list, i);
            for (size_t s = 0; layer != nullptr && s < layer->GetParticleSystemCount(); ++s)
                if (layer->GetParticleSystem(s) == system)
                    return layer;
        }
    }
    return nullptr;
}

bool BGEvent_HandleParticleSystem::Update()
{
    BackgroundEvent::Update();
    if (!IsLogicTick() || finished)
        return true;
    Layer* layer = FindLayer();
    if (layer == nullptr) {
        system = nullptr;
        finished = true;
        return true;
    }
    system->SetPosition(position);
    if (system->IsEmpty()) {
        if (removeWhenDone)
            layer->DeleteParticleSystem(system);
        system = nullptr;
        finished = true;
    }
    return true;
}
