#include "scene/CharacterCollision.h"

#include "characters/CharacterObject.h"
#include "scene/CollisionShape.h"

#include <box2d/box2d.h>
#include <gtest/gtest.h>

#include <memory>

namespace {

// A static Box2D body with one box fixture, in pixels as the layer builds it.
b2Fixture* AddBoxBody(b2World& world, const CollisionBox<int>& box, Point<float> position)
{
    b2BodyDef def;
    def.position.Set(position.x * kPixelsToWorld, position.y * kPixelsToWorld);
    b2Body* body = world.CreateBody(&def);
    b2PolygonShape shape;
    const Point<float> half = box.GetExactHalfSize();
    const Point<float> centre = box.GetExactCentre();
    shape.SetAsBox(half.x * kPixelsToWorld, half.y * kPixelsToWorld,
        b2Vec2(centre.x * kPixelsToWorld, centre.y * kPixelsToWorld), 0.0f);
    return body->CreateFixture(&shape, 0.0f);
}

TEST(CharacterCollisionPolygon, CharacterBoxIsPushedOutOfAGroundBox)
{
    b2World world(b2Vec2(0.0f, 10.0f));
    // Ground 0..127 x 0..31 at (0, 0): its top is y = 31.
    CollisionBox<int> ground(0, 31, 127, 0);
    b2Fixture* fixture = AddBoxBody(world, ground, Point<float>(0.0f, 0.0f));

    CollisionBox<int> feet(0, 31, 15, 0);
    CharacterObject character;
    character.GetCollisionShape().push_back(&feet);
    character.SetPosition(Point<float>(40.0f, 35.0f)); // 4 pixels above the top

    // Falling 10 pixels sinks 6 pixels into the ground; the result keeps the
    // motion that brings the box back onto the surface.
    const Point<float> fall(0.0f, -10.0f);
    Point<float> result;
    ASSERT_TRUE(CollideCharacterWithPolygon(&character, fixture, &fall, &result));
    EXPECT_NEAR(result.x, 0.0f, 1e-3f);
    EXPECT_NEAR(result.y, -4.0f, 1e-3f);
    EXPECT_EQ(g_LastPushingCharacterBox, 0);

    // Walking right into the ground's left side from outside.
    character.SetPosition(Point<float>(-20.0f, 0.0f));
    const Point<float> walk(8.0f, 0.0f); // right edge 3 pixels into the box
    ASSERT_TRUE(CollideCharacterWithPolygon(&character, fixture, &walk, &result));
    EXPECT_NEAR(result.x, 5.0f, 1e-3f);
    EXPECT_NEAR(result.y, 0.0f, 1e-3f);
}

TEST(CharacterCollisionPolygon, FarBoxesAndEdgesGiveNoContact)
{
    b2World world(b2Vec2(0.0f, 10.0f));
    CollisionBox<int> ground(0, 31, 127, 0);
    b2Fixture* fixture = AddBoxBody(world, ground, Point<float>(0.0f, 0.0f));

    CollisionBox<int> degenerate(0, 0, 0, 0);
    CollisionLine<int> line(Point<int>(0, 0), Point<int>(9, 9));
    CollisionBox<int> second(0, 31, 15, 0);
    CharacterObject character;
    character.GetCollisionShape() = { nullptr, &degenerate, &line, &second };
    character.SetPosition(Point<float>(40.0f, 100.0f));
    const Point<float> none(0.0f, 0.0f);
    Point<float> result(1.0f, 2.0f);
    EXPECT_FALSE(CollideCharacterWithPolygon(&character, fixture, &none, &result));
    EXPECT_EQ(result, Point<float>(1.0f, 2.0f));

    // Only the last shape is a usable box; it reports its own index.
    character.SetPosition(Point<float>(40.0f, 30.0f));
    ASSERT_TRUE(CollideCharacterWithPolygon(&character, fixture, &none, &result));
    EXPECT_EQ(g_LastPushingCharacterBox, 3);
    EXPECT_NEAR(result.y, 1.0f, 1e-3f);

    // An edge fixture is not a polygon: no test.
    b2BodyDef def;
    b2Body* body = world.CreateBody(&def);
    b2EdgeShape edge;
    edge.SetTwoSided(b2Vec2(0.0f, 0.0f), b2Vec2(4.0f, 0.0f));
    b2Fixture* edgeFixture = body->CreateFixture(&edge, 0.0f);
    EXPECT_FALSE(CollideCharacterWithPolygon(&character, edgeFixture, &none, &result));
}

} // namespace
