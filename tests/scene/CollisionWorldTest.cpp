#include "scene/CollisionWorld.h"

#include "scene/Level.h"

#include <box2d/box2d.h>
#include <gtest/gtest.h>

namespace {

TEST(CollisionWorld, BodiesCarryTheirRecordUntilTheWorldGoes)
{
    Level level("test");
    level.SetCollisionWorld(std::make_unique<CollisionWorld>());
    CollisionWorld* world = level.GetCollisionWorld();
    auto* fakeInstance = reinterpret_cast<SpacialInstance<GraphicalObject, float>*>(0x1000);
    b2BodyDef def;
    b2Body* first = world->CreateBody(def, fakeInstance, 0);
    b2Body* second = world->CreateBody(def, fakeInstance, 3);
    // Records keep their addresses while more are made.
    const CollisionBodyRecord* firstRecord = CollisionWorld::GetRecord(first);
    for (int i = 0; i < 100; ++i)
        world->CreateBody(def, nullptr, i);
    EXPECT_EQ(CollisionWorld::GetRecord(first), firstRecord);
    EXPECT_EQ(firstRecord->instance, fakeInstance);
    EXPECT_EQ(CollisionWorld::GetRecord(second)->shapeIndex, 3);
    world->DestroyBody(second);
    world->DestroyBody(nullptr);
    EXPECT_EQ(world->GetBodyCount(), 101);

    // Replacing the world frees the old one with its records (checked by
    // the leak sanitizer).
    level.SetCollisionWorld(std::make_unique<CollisionWorld>());
}

} // namespace
