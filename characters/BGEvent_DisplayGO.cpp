#include "characters/BGEvent_DisplayGO.h"

#include "engine/render/GraphicalEffect.h"
#include "scene/EventTick.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/SceneGameAccess.h"
#include "scene/SpacialInstance.h"

#include <utility>

namespace {

Level* CurrentLevel()
{
    SceneGameAccess* game = GetSceneGameAccess();
    return game != nullptr ? game->GetCurrentLevel() : nullptr;
}

} // namespace

BGEvent_DisplayGO::BGEvent_DisplayGO(std::string name_, int layerSelector, GraphicalObject* object,
    Point<float> position, int count, int placingMode)
    : BGEvent_DisplayGO(std::move(name_), CurrentLevel(), layerSelector, object, position, count, placingMode)
{
}

BGEvent_DisplayGO::BGEvent_DisplayGO(std::string name_, Level* level, int layerSelector,
    GraphicalObject* object, Point<float> position, int count, int placingMode)
    : BackgroundEvent(std::move(name_))
{
    if (level != nullptr) {
        layer = layerSelector < 0 ? level->GetFirstLayer(-layerSelector, -1.0f, -1.0f)
                                  : level->GetLastLayer(layerSelector, -1.0f, -1.0f);
    }
    if (layer != nullptr) {
        params[2] = count;
        instance = layer->AddGraphicalObject(object, position.x, position.y, true, placingMode);
    }
}

BGEvent_DisplayGO::~BGEvent_DisplayGO()
{
    if (instance == nullptr)
        return;
    delete instance->GetEffect();
    instance->SetEffect(nullptr);
    layer->DeleteInstance(instance);
}

void BGEvent_DisplayGO::Run()
{
    started = false;
    if (!IsLogicTick() || finished)
        return;
    // Nothing to show (no layer, no object): nothing to wait for.
    if (instance == nullptr) {
        finished = true;
        return;
    }
    if (instance->GetEffect() != nullptr)
        instance->GetEffect()->Update();
    if (params[2] != -1)
        --params[2];
    if (params[2] == -1) {
        GraphicalObject* object = instance->GetPrototype();
        finished = object == nullptr || object->IsAnimationFinished();
    } else if (params[2] == 0) {
        finished = true;
    }
}
