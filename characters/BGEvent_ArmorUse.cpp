#include "characters/BGEvent_ArmorUse.h"
#include "engine/app/UsageObserver.h"

#include "scene/GraphicalObject.h"
#include "scene/Level.h"
#include "scene/SceneGameAccess.h"

#include <algorithm>
#include <cmath>

ArmorIceShaderCoefficients ArmorIceShaderCoefficients::At(float c, float t)
{
    ArmorIceShaderCoefficients k;
    k.globalBgEffect = std::max(0.0f, 1.0f - (50.0f - c) / 10.0f);
    if (t > 0.0f && c < 0.4f * t) {
        const float v = 1.0f - (0.4f * t - c) / (0.2f * t);
        k.localBgEffect = std::max(0.0f, v * 0.8f);
        k.localSnow = std::max(0.0f, v);
    }
    if (t > 0.0f && c < 0.3f * t) {
        const float w = std::max(0.0f, std::cos(((0.3f * t - c) / (0.3f * t)) * 3.14f * 0.5f));
        k.localIce = w;
        k.localIceAdd = w;
    }
    return k;
}

BGEvent_ArmorUse::BGEvent_ArmorUse(std::string name_, int duration_, Level* level,
    const std::string& effectName, bool rank2, Point<float> playerPosition, Point<int> playerSize)
    : BackgroundEvent(std::move(name_))
    , duration(duration_)
{
    params[2] = duration_;
    const float cx = playerPosition.x + static_cast<float>(playerSize.x) * 0.5f;
    const float cy = playerPosition.y + static_cast<float>(playerSize.y) * 0.5f;
    centre = Point<int>(static_cast<int>(cx), static_cast<int>(cy));
    if (level == nullptr)
        return;
    layer = level->GetLastLayer(1, -1.0f, -1.0f);
    SceneGameAccess* game = GetSceneGameAccess();
    if (layer == nullptr || game == nullptr)
        return;
    GraphicalObject* effect = game->FindGraphicalObject(rank2 ? effectName + "_Rank2" : effectName);
    if (effect == nullptr)
        return;
    const Point<int> size = effect->GetSize();
    instance = layer->AddGraphicalObject(
        effect, cx - static_cast<float>(size.x) * 0.5f, cy - static_cast<float>(size.y) * 0.5f, true, 2);
}

BGEvent_ArmorUse::~BGEvent_ArmorUse()
{
    if (layer != nullptr && instance != nullptr)
        layer->DeleteInstance(instance);
}

bool BGEvent_ArmorUse::Update()
{
    BackgroundEvent::Update();
    if (finished)
        return true;
    SceneGameAccess* game = GetSceneGameAccess();
    if (game != nullptr && !game->IsFixedStepTick())
        return true;
    if (instance != nullptr && instance->GetPrototype() != nullptr
        && instance->GetPrototype()->IsAnimationFinished()) {
        layer->DeleteInstance(instance);
        instance = nullptr;
    }
    OnTick();
    if (params[2] == 1)
        finished = true;
    else if (params[2] != -1)
        --params[2];
    return true;
}

void BGEvent_ArmorUse::StopRunning(const std::string& typeName)
{
    for (BackgroundEvent* event : BackgroundEvent::FindAllByTypeName(typeName)) {
        if (!event->IsFinished())
            event->Stop();
    }
}

BGEvent_ArmorFire_Use::BGEvent_ArmorFire_Use(
    std::string name, Level* level, bool rank2, Point<float> playerPosition, Point<int> playerSize)
    : BGEvent_ArmorUse(
        std::move(name), kDuration, level, "Effect_PlayerArmorFire_Use", rank2, playerPosition, playerSize)
{
}

BGEvent_ArmorIce_Use::BGEvent_ArmorIce_Use(
    std::string name, Level* level, bool rank2, Point<float> playerPosition, Point<int> playerSize)
    : BGEvent_ArmorUse(
        std::move(name), kDuration, level, "Effect_PlayerArmorIce_Use", rank2, playerPosition, playerSize)
{
    // The event steers the ice-use effect's coefficients.
    NoteUse("effect", "ml_PlayerArmorIce_Use");
}

void BGEvent_ArmorIce_Use::OnTick()
{
    coefficients
        = ArmorIceShaderCoefficients::At(static_cast<float>(params[2]), static_cast<float>(duration));
}
