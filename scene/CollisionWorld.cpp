#include "scene/CollisionWorld.h"

#include <box2d/box2d.h>

CollisionWorld::CollisionWorld()
    : world(std::make_unique<b2World>(b2Vec2(0.0f, 10.0f)))
{
}

CollisionWorld::~CollisionWorld() = default;

b2Body* CollisionWorld::CreateBody(
    const b2BodyDef& def, SpacialInstance<GraphicalObject, float>* instance, int32_t shapeIndex)
{
    CollisionBodyRecord& record = records.emplace_back();
    record.instance = instance;
    record.shapeIndex = shapeIndex;
    b2BodyDef withRecord = def;
    withRecord.userData.pointer = reinterpret_cast<uintptr_t>(&record);
    b2Body* body = world->CreateBody(&withRecord);
    liveBodies.insert(body);
    return body;
}

bool CollisionWorld::DestroyBody(b2Body* body)
{
    if (liveBodies.erase(body) == 0)
        return false;
    world->DestroyBody(body);
    return true;
}

bool CollisionWorld::DestroyBodyOf(b2Body* body, const void* owner)
{
    if (!HoldsBody(body))
        return false;
    const CollisionBodyRecord* record = GetRecord(body);
    if (record == nullptr || static_cast<const void*>(record->instance) != owner)
        return false;
    return DestroyBody(body);
}

void CollisionWorld::Rebind(b2Body* body, SpacialInstance<GraphicalObject, float>* instance)
{
    if (!HoldsBody(body))
        return;
    if (auto* record = reinterpret_cast<CollisionBodyRecord*>(body->GetUserData().pointer))
        record->instance = instance;
}

const CollisionBodyRecord* CollisionWorld::GetRecord(b2Body* body)
{
    if (body == nullptr)
        return nullptr;
    return reinterpret_cast<const CollisionBodyRecord*>(body->GetUserData().pointer);
}

int32_t CollisionWorld::GetBodyCount() const
{
    return world->GetBodyCount();
}
