#include "scene/InstanceEffectScope.h"

#include "engine/render/IRenderEngine.h"

InstanceEffectScope::InstanceEffectScope(GraphicalEffect* effect)
    : engine(g_RenderEngine)
{
    if (engine == nullptr)
        return;
    engine->SaveEffect();
    if (effect != nullptr)
        engine->SetEffect(effect);
}

InstanceEffectScope::~InstanceEffectScope()
{
    if (engine != nullptr)
        engine->RestoreEffect();
}
