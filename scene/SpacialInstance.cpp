#include "scene/SpacialInstance.h"

#include "scene/GameplayObject.h"
#include "scene/Level.h"
#include "scene/ZoneInstance.h"

bool LevelHasCollisionWorld(Level* level)
{
    return level != nullptr && level->GetCollisionWorld() != nullptr;
}

void DestroyBodiesInLevel(Level* level, std::vector<b2Body*>& bodies, const void* owner)
{
    if (!LevelHasCollisionWorld(level))
        return;
    // Bodies of a world that was replaced since went with it.
    CollisionWorld* world = level->GetCollisionWorld();
    for (b2Body* body : bodies)
        world->DestroyBodyOf(body, owner);
    bodies.clear();
}

void RebindBodiesInLevel(
    Level* level, const std::vector<b2Body*>& bodies, SpacialInstance<GraphicalObject, float>* instance)
{
    if (!LevelHasCollisionWorld(level))
        return;
    CollisionWorld* world = level->GetCollisionWorld();
    for (b2Body* body : bodies)
        world->Rebind(body, instance);
}

void AssignSaveIndex(Level* level, SceneObjectInstance* payload)
{
    if (level != nullptr && payload != nullptr && payload->GetSaveIndex() == -1)
        payload->SetSaveIndex(level->TakeNextInstanceIndex());
}

bool GetZonePayloadSize(const SceneObjectInstance* payload, Point<int>& size)
{
    const auto* zone = dynamic_cast<const ZoneInstance*>(payload);
    if (zone == nullptr)
        return false;
    size = zone->GetSize();
    return true;
}

ZoneDraw DrawZoneInstance(GraphicalObject* object, SceneObjectInstance* payload, GraphicalEffect* effect,
    DXGraphicalSurface* target, Point<int> at, float angle, Point<int> clipOrigin, Point<int> clipSize,
    bool& drawn)
{
    auto* zone = dynamic_cast<GameplayObject*>(object);
    if (zone == nullptr || !zone->IsZoneType())
        return ZoneDraw::kNotAZone;
    auto* zoneData = dynamic_cast<ZoneInstance*>(payload);
    if (zoneData == nullptr)
        return ZoneDraw::kNothing;
    InstanceEffectScope scope(effect);
    drawn = zone->RenderInstance(
        target, zoneData, at.x, at.y, 1.0f, 1.0f, angle, clipOrigin.x, clipOrigin.y, clipSize.x, clipSize.y);
    return ZoneDraw::kDrawn;
}
