#include "scene/CharacterCollision.h"

#include "characters/CharacterObject.h"
#include "scene/CollisionShape.h"
#include "scene/CollisionWorld.h"
#include "scene/GraphicalObject.h"
#include "scene/Level.h"
#include "scene/SpacialInstance.h"

#include <box2d/box2d.h>
#include <gtest/gtest.h>

#include <memory>

namespace {

// A static Box2D body at the origin with one box fixture, in pixels as the
// layer builds it.
b2Fixture* AddBoxBody(b2World& world, const CollisionBox<int>& box)
{
    b2BodyDef def;
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
    // Ground 0..127 x 0..31: its top is y = 31.
    b2Fixture* ground = AddBoxBody(world, CollisionBox<int>(0, 31, 127, 0));

    // Shapes that cannot push come first: the feet report their own index.
    CollisionBox<int> degenerate(0, 0, 0, 0);
    CollisionLine<int> line(Point<int>(0, 0), Point<int>(9, 9));
    CollisionBox<int> feet(0, 31, 15, 0);
    CharacterObject character;
    character.GetCollisionShape() = { nullptr, &degenerate, &line, &feet };

    // On contact the result keeps the part of the offset that brings the
    // feet back onto the ground's surface.
    const struct {
        const char* what;
        Point<float> position, offset;
        bool hit;
        Point<float> result; // (7, 7): left untouched
    } cases[] = {
        { "falling 10 from 4 above the top", { 40, 35 }, { 0, -10 }, true, { 0, -4 } },
        { "walking 3 into the left side", { -20, 0 }, { 8, 0 }, true, { 5, 0 } },
        { "standing 1 deep", { 40, 30 }, { 0, 0 }, true, { 0, 1 } },
        { "standing far above", { 40, 100 }, { 0, 0 }, false, { 7, 7 } },
    };
    for (const auto& c : cases) {
        character.SetPosition(c.position);
        Point<float> result(7.0f, 7.0f);
        EXPECT_EQ(CollideCharacterWithPolygon(&character, ground, &c.offset, &result), c.hit) << c.what;
        EXPECT_NEAR(result.x, c.result.x, 1e-3f) << c.what;
        EXPECT_NEAR(result.y, c.result.y, 1e-3f) << c.what;
        if (c.hit) {
            EXPECT_EQ(g_LastPushingCharacterBox, 3) << c.what;
        }
    }

    // An edge fixture is not a polygon: no test.
    b2BodyDef def;
    b2EdgeShape edge;
    edge.SetTwoSided(b2Vec2(0.0f, 0.0f), b2Vec2(4.0f, 0.0f));
    b2Fixture* edgeFixture = world.CreateBody(&def)->CreateFixture(&edge, 0.0f);
    Point<float> result;
    EXPECT_FALSE(CollideCharacterWithPolygon(&character, edgeFixture, &cases[2].offset, &result));
}

// A placed object whose only shape is a line, with its body and edge fixture
// in the level's world as the "Collisions" layer makes them.
struct PlacedLine {
    PlacedLine(Level& level, Point<int> a, Point<int> b)
        : object("Slope")
        , instance(&object, 0.0f, 0.0f)
    {
        object.CollisionShapeAt(0) = std::make_unique<CollisionLine<int>>(a, b);
        instance.SetLevel(&level);
        b2BodyDef def;
        b2Body* body = level.GetCollisionWorld()->CreateBody(def, &instance, 0);
        b2EdgeShape edge;
        edge.SetTwoSided(b2Vec2(a.x * kPixelsToWorld, a.y * kPixelsToWorld),
            b2Vec2(b.x * kPixelsToWorld, b.y * kPixelsToWorld));
        fixture = body->CreateFixture(&edge, 0.0f);
        instance.AddCollisionBody(body);
    }
    GraphicalObject object;
    SpacialInstance<GraphicalObject, float> instance;
    b2Fixture* fixture = nullptr;
};

class CharacterCircleSweep : public ::testing::Test {
protected:
    CharacterCircleSweep() { level.SetCollisionWorld(std::make_unique<CollisionWorld>()); }
    Level level { "sweep" };
    CharacterObject character;
};

TEST_F(CharacterCircleSweep, FallingCircleStopsOnAFloorLine)
{
    PlacedLine floor(level, Point<int>(0, 0), Point<int>(200, 0));
    character.SetPosition(Point<float>(40.0f, 20.0f)); // circle centre (48, 28), radius 8
    const Point<float> fall(0.0f, -30.0f);
    Point<float> result(1.0f, 1.0f);
    ASSERT_TRUE(SweepCharacterCircle(&character, &fall, floor.fixture, &result, 8.0f, 0, 8.0f, 8.0f));
    EXPECT_NEAR(result.x, 0.0f, 1e-3f);
    // The bottom of the circle was 20 pixels above the line (Box2D stops a
    // fraction of a pixel early).
    EXPECT_NEAR(result.y, -20.0f, 0.5f);

    // A motion that ends before the line does not reach it.
    const Point<float> shortFall(0.0f, -10.0f);
    result = Point<float>(1.0f, 1.0f);
    EXPECT_FALSE(SweepCharacterCircle(&character, &shortFall, floor.fixture, &result, 8.0f, 0, 8.0f, 8.0f));
    EXPECT_EQ(result, Point<float>(1.0f, 1.0f));
}

TEST_F(CharacterCircleSweep, SlopeContactsCountOnlyFromAboveWhenAsked)
{
    PlacedLine slope(level, Point<int>(0, 0), Point<int>(100, 100)); // rising to the right
    Point<float> result;

    // Below the slope, moving up into it.
    character.SetPosition(Point<float>(60.0f, 20.0f));
    const Point<float> up(0.0f, 40.0f);
    EXPECT_TRUE(SweepCharacterCircle(&character, &up, slope.fixture, &result, 4.0f, 0, 0.0f, 0.0f));
    EXPECT_FALSE(SweepCharacterCircle(&character, &up, slope.fixture, &result, 4.0f, 1, 0.0f, 0.0f));

    // Above the slope, falling onto it.
    character.SetPosition(Point<float>(40.0f, 70.0f));
    const Point<float> down(0.0f, -40.0f);
    EXPECT_TRUE(SweepCharacterCircle(&character, &down, slope.fixture, &result, 4.0f, 1, 0.0f, 0.0f));
    EXPECT_LT(result.y, 0.0f);
    EXPECT_GT(result.y, -40.0f);
}

// ------------------------------------------------------------ objects

class CharacterAgainstObject : public ::testing::Test {
protected:
    CharacterAgainstObject()
    {
        character.GetCollisionShape().push_back(&body);
        object.CollisionShapeAt(0) = std::make_unique<CollisionBox<int>>(0, 31, 31, 0, 0);
        object.CollisionShapeAt(1) = std::make_unique<CollisionBox<int>>(0, 31, 31, 0, 4);
    }
    CollisionBox<int> body { 0, 31, 31, 0 };
    CharacterObject character;
    GraphicalObject object { "Block" };
    SpacialInstance<GraphicalObject, float> instance { &object, 100.0f, 0.0f };
};

TEST_F(CharacterAgainstObject, OverlapHonoursTypeAndExclusion)
{
    character.SetPosition(Point<float>(130.0f, 0.0f)); // touches the block's right edge
    EXPECT_TRUE(CollideCharacterWithObject(&character, &instance, nullptr, false, nullptr, -1, nullptr));
    EXPECT_TRUE(CollideCharacterWithObject(&character, &instance, nullptr, false, nullptr, 4, nullptr));
    EXPECT_FALSE(CollideCharacterWithObject(&character, &instance, nullptr, false, nullptr, 2, nullptr));
    const Rect<int> exclusion(90, 40, 140, 10); // covers the block's boxes
    EXPECT_FALSE(CollideCharacterWithObject(&character, &instance, nullptr, false, nullptr, -1, &exclusion));
    const Rect<int> none;
    EXPECT_TRUE(CollideCharacterWithObject(&character, &instance, nullptr, false, nullptr, -1, &none));

    character.SetPosition(Point<float>(133.0f, 0.0f));
    EXPECT_FALSE(CollideCharacterWithObject(&character, &instance, nullptr, false, nullptr, -1, nullptr));
}

TEST_F(CharacterAgainstObject, SweepKeepsTheShortestPush)
{
    character.SetPosition(Point<float>(142.0f, 0.0f)); // 10 pixels right of the block
    const Point<float> left(-20.0f, 0.0f);
    Point<float> result;
    EXPECT_TRUE(CollideCharacterWithObject(&character, &instance, &left, true, &result, -1, nullptr));
    EXPECT_EQ(result, Point<float>(-9.0f, 0.0f));

    const Point<float> away(20.0f, 0.0f);
    EXPECT_FALSE(CollideCharacterWithObject(&character, &instance, &away, true, &result, -1, nullptr));
    EXPECT_EQ(result, away);
}

TEST_F(CharacterAgainstObject, OlderObjectsMeasureBoxesInTheirCells)
{
    // A 64 x 64 object of an older file: shape 1 lies in the cell (32, 32).
    object.SetSize(64, 64, false);
    character.SetPosition(Point<float>(100.0f + 64.0f, 32.0f)); // right of cell (32, 32)
    EXPECT_TRUE(CollideCharacterWithObject(&character, &instance, nullptr, false, nullptr, 4, nullptr));
    EXPECT_FALSE(CollideCharacterWithObject(&character, &instance, nullptr, false, nullptr, 0, nullptr));
}

} // namespace
