// The level's layer look-ups, collision query, events, level-entry passes,
// per-frame passes and drawing.

#include "engine/render/DXGraphicalSurface.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/serial/IntSerialize.h"
#include "engine/serial/StrSerialize.h"
#include "engine/serial/TypeNames.h"
#include "engine/serial/VectorSerialize.h"
#include "scene/BackgroundEvent.h"
#include "scene/Camera.h"
#include "scene/CharacterCollision.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/LevelListUtils.h"
#include "scene/LevelScript.h"
#include "scene/LoadingScreen.h"
#include "scene/SceneGameAccess.h"
#include "scene/ZoneInstance.h"

#include <box2d/box2d.h>

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace {

// Lists the fixtures a box query reports, in report order.
class b2QueryCallback_Lister : public b2QueryCallback {
public:
    bool ReportFixture(b2Fixture* fixture) override
    {
        fixtures.push_back(fixture);
        return true;
    }
    std::vector<b2Fixture*> fixtures;
};

} // namespace

std::vector<std::unique_ptr<Layer>>* Level::GetLayerList(int list)
{
    switch (list) {
    case kBackground:
        return &backgroundLayers;
    case kForeground:
        return &foregroundLayers;
    case kScene:
        return &sceneLayers;
    default:
        return nullptr;
    }
}

int Level::GetLayerCount(int list) const
{
    auto* layers = const_cast<Level*>(this)->GetLayerList(list);
    return layers ? static_cast<int>(layers->size()) : 0;
}

Layer* Level::GetLayerAt(int list, int index) const
{
    auto* layers = const_cast<Level*>(this)->GetLayerList(list);
    if (layers == nullptr || index < 0 || static_cast<size_t>(index) >= layers->size())
        return nullptr;
    return (*layers)[static_cast<size_t>(index)].get();
}

Layer* Level::GetLayer(int list, const std::string& layerName) const
{
    for (int i = 0; i < GetLayerCount(list); ++i) {
        Layer* layer = GetLayerAt(list, i);
        if (layer != nullptr && layer->GetName() == layerName)
            return layer;
    }
    return nullptr;
}

namespace {

bool Suits(const Layer* layer, float sx, float sy)
{
    if (layer == nullptr || !layer->GetDrawPlacedInstances())
        return false;
    return sx == -1.0f || (layer->GetScrollFactor().x == sx && layer->GetScrollFactor().y == sy);
}

} // namespace

Layer* Level::GetFirstLayer(int list, float sx, float sy) const
{
    for (int i = 0; i < GetLayerCount(list); ++i) {
        if (Suits(GetLayerAt(list, i), sx, sy))
            return GetLayerAt(list, i);
    }
    return nullptr;
}

Layer* Level::GetLastLayer(int list, float sx, float sy) const
{
    for (int i = GetLayerCount(list) - 1; i >= 0; --i) {
        if (Suits(GetLayerAt(list, i), sx, sy))
            return GetLayerAt(list, i);
    }
    return nullptr;
}

Layer* Level::CreateLayer(int list, const std::string& layerName, DXGraphicalSurface* surface, int sizeX,
    int sizeY, int gridStepX, int gridStepY)
{
    auto layer = std::make_unique<Layer>(layerName, list, surface, sizeX, sizeY, gridStepX, gridStepY);
    layer->SetLevel(this);
    auto* layers = GetLayerList(list);
    if (layers == nullptr)
        return layer.release();
    layers->push_back(std::move(layer));
    return layers->back().get();
}

void Level::DeleteLayer(int list, int index)
{
    auto* layers = GetLayerList(list);
    if (layers == nullptr || index < 0 || static_cast<size_t>(index) >= layers->size())
        return;
    layers->erase(layers->begin() + index);
}

GraphicalObject* Level::FindPrototype(const std::string& prototypeName) const
{
    for (GraphicalObject* prototype : prototypes) {
        if (prototype != nullptr && prototype->GetName() == prototypeName)
            return prototype;
    }
    return nullptr;
}

template <class Fn> void Level::ForEachGridInstance(std::initializer_list<int> lists, Fn&& fn) const
{
    for (int list : lists) {
        for (int i = 0; i < GetLayerCount(list); ++i) {
            Layer* layer = GetLayerAt(list, i);
            if (layer == nullptr)
                continue;
            for (auto& column : layer->GetCellGrid()) {
                for (auto& cell : column) {
                    for (Instance* instance : cell) {
                        if (!fn(instance))
                            return;
                    }
                }
            }
        }
    }
}

Level::Instance* Level::FindInstanceByClass(const std::string& versionedClassName, int list) const
{
    Instance* found = nullptr;
    ForEachGridInstance({list}, [&](Instance* instance) {
        if (instance->GetPayload() != nullptr
            && instance->GetPayload()->GetVersionedClassName() == versionedClassName)
            found = instance;
        return found == nullptr;
    });
    return found;
}

std::vector<b2Fixture*> Level::QueryFixtures(const Rect<int>& rect)
{
    b2QueryCallback_Lister lister;
    if (collisionWorld == nullptr)
        return {};
    b2AABB box;
    box.lowerBound.Set(
        static_cast<float>(rect.x0) * kPixelsToWorld, static_cast<float>(rect.y1) * kPixelsToWorld);
    box.upperBound.Set(
        static_cast<float>(rect.x1) * kPixelsToWorld, static_cast<float>(rect.y0) * kPixelsToWorld);
    collisionWorld->GetWorld().QueryAABB(&lister, box);
    return lister.fixtures;
}

BackgroundEvent* Level::AddBackgroundEvent(BackgroundEvent* event)
{
    if (event == nullptr)
        return nullptr;
    events.emplace_back(event);
    return event;
}

void Level::RunBackgroundEvents()
{
    if (script)
        script->Run();
    BackgroundEvent::RunQueue(events);
}

void Level::UpdateBackgroundEvents()
{
    BackgroundEvent::UpdateQueue(events);
}

void Level::PurgeBackgroundEvents()
{
    BackgroundEvent::PurgeQueue(events);
}

void Level::RestoreInstanceStates(const VectorSerialize* savedLevels)
{
    LoadInstanceStates(savedLevels);
    // The player stands where the save keeps it, whatever the level kept.
    if (SceneGameAccess* game = GetSceneGameAccess())
        game->PlacePlayerAtSavedPosition();
}

void Level::LoadInstanceStates(const VectorSerialize* savedLevels)
{
    if (savedLevels == nullptr)
        return;
    VectorSerialize* states = nullptr;
    for (size_t i = 0; i + 1 < savedLevels->Size(); ++i) {
        auto* key = savedLevels->As<StrSerialize>(i);
        if (key != nullptr && key->value == saveKey) {
            states = savedLevels->As<VectorSerialize>(i + 1);
            if (states != nullptr)
                break;
        }
    }
    if (states == nullptr)
        return;
    // The record holds one pair per saved instance: its save index, then its
    // state, which the instance reads back from the element after the index.
    // Walking pair by pair, a state value is never taken for an index, and
    // an unnumbered instance (-1) cannot be told apart from another.
    for (size_t e = 0; e + 1 < states->Size(); e += 2) {
        auto* index = states->As<IntSerialize>(e);
        if (index == nullptr || index->value == -1)
            continue;
        ForEachGridInstance({kBackground, kForeground, kScene}, [&](Instance* instance) {
            if (instance->GetPayload() != nullptr && instance->GetPayload()->GetSaveIndex() == index->value)
                instance->GetPayload()->LoadState(states, static_cast<int>(e + 1));
            return true;
        });
    }
}

void Level::SpawnInstances()
{
    // An instance filed under several cells spawns once.
    std::unordered_set<const Instance*> spawned;
    ForEachGridInstance({kBackground, kScene, kForeground}, [&](Instance* instance) {
        RefreshLoadingScreen();
        if (instance->GetPayload() == nullptr || !spawned.insert(instance).second)
            return true;
        const Point<float> p = instance->GetPosition();
        instance->GetPayload()->Spawn(static_cast<int>(p.x), static_cast<int>(p.y), this);
        return true;
    });
}

void Level::StartupZones()
{
    for (int i = 0; i < GetLayerCount(kScene); ++i) {
        if (Layer* layer = GetLayerAt(kScene, i))
            layer->StartupZones();
    }
}

void Level::StartScript()
{
    if (!script)
        return;
    scriptOwner = std::make_unique<Instance>();
    scriptOwner->SetLevel(this);
    script->Start("", scriptOwner.get());
    script->Run();
}

Point<int> Level::MinimapScreenOrigin(Point<int> position)
{
    auto floorTo = [](int v, int n) { return v >= 0 ? (v / n) * n : ((v + 1) / n) * n - n; };
    return Point<int>(floorTo(position.x, Layer::kCellWidth), floorTo(position.y, Layer::kCellHeight));
}

void Level::FindMinimapLocation()
{
    const std::string wanted = TypeNames::Point_MinimapLocation + "V0";
    ForEachGridInstance({kScene}, [&](Instance* instance) {
        if (instance->GetPrototype() == nullptr || instance->GetPrototype()->GetVersionedClassName() != wanted
            || instance->GetPayload() == nullptr)
            return true;
        // The marker's payload holds the level's reference cell of the map.
        auto* marker = dynamic_cast<MapCellPointInstance*>(instance->GetPayload());
        if (marker == nullptr)
            return true;
        minimapPoint = marker->point.value;
        const Point<float> p = instance->GetPosition();
        minimapScreen = MinimapScreenOrigin(Point<int>(static_cast<int>(p.x), static_cast<int>(p.y)));
        return false;
    });
}

void Level::UpdateInstances()
{
    for (int i = 0; i < GetLayerCount(kScene); ++i) {
        if (Layer* layer = GetLayerAt(kScene, i))
            layer->UpdateInstances("");
    }
}

void Level::UpdatePlayerContacts(const std::string& classFilter)
{
    for (int i = 0; i < GetLayerCount(kScene); ++i) {
        if (Layer* layer = GetLayerAt(kScene, i))
            layer->UpdatePlayerContacts(classFilter);
    }
}

void Level::UpdateObjects(double dt)
{
    for (int list : kFileOrder) {
        for (int i = 0; i < GetLayerCount(list); ++i) {
            if (Layer* layer = GetLayerAt(list, i))
                layer->UpdateOwnedObjects(dt);
        }
    }
}

void Level::UpdateParticleSystems(double dt)
{
    for (int list : kFileOrder) {
        for (int i = 0; i < GetLayerCount(list); ++i) {
            if (Layer* layer = GetLayerAt(list, i))
                layer->UpdateParticleSystems(dt);
        }
    }
}

void Level::Render(Camera* camera)
{
    if (camera == nullptr)
        return;
    const Point<int> view = camera->GetViewSize();
    const int backgrounds = GetLayerCount(kBackground);
    const int scenes = GetLayerCount(kScene);
    auto draw = [&](Layer* layer, int depth) {
        if (layer == nullptr)
            return;
        const Point<int> surfaceSize = layer->GetSurface() ? layer->GetSurface()->GetSize() : Point<int>();
        if (surfaceSize != view)
            layer->ResetSurface(view, layer->GetSize());
        if (g_RenderEngine != nullptr)
            g_RenderEngine->SetDepth(static_cast<float>(depth));
        const Point<float> factor = layer->GetScrollFactor();
        layer->Draw(Point<int>(
            static_cast<int>(camera->GetX() * factor.x), static_cast<int>(camera->GetY() * factor.y)));
    };
    for (int i = 0; i < backgrounds; ++i)
        draw(GetLayerAt(kBackground, i), i - backgrounds);
    for (int i = 0; i < scenes; ++i) {
        if (i == 0 && GetLayerAt(kScene, 0) != nullptr)
            GetLayerAt(kScene, 0)->SetHostsPlayer(true);
        draw(GetLayerAt(kScene, i), i);
    }
    for (int i = 0; i < GetLayerCount(kForeground); ++i)
        draw(GetLayerAt(kForeground, i), scenes + i);
}
