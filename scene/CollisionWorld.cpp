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
    return world->CreateBody(&withRecord);
}

void CollisionWorld::DestroyBody(b2Body* body)
{
    if (body != nullptr)
        world->DestroyBody(body);
}

const CollisionBodyRecord* CollisionWorld::GetRecord(b2Body* body)
{
    if (body == nullptr)
        return nullptr;
    return reinterpret_cast<const CollisionBodyRecord*>(body->GetUserData().pointer);
}

int32_t CollisionWorld::GetBodyCount() const { return world->GetBodyCount(); }
