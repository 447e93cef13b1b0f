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
    // The character owns its shapes.
    CharacterObject character;
    character.GetCollisionShape() = {nullptr, new CollisionBox<int>(0, 0, 0, 0),
        new CollisionLine<int>(Point<int>(0, 0), Point<int>(9, 9)), new CollisionBox<int>(0, 31, 15, 0)};

    // On contact the result keeps the part of the offset that brings the
    // feet back onto the ground's surface.
    const struct {
        const char* what;
        Point<float> position, offset;
        bool hit;
        Point<float> result; // (7, 7): left untouched
    } cases[] = {
        {"falling 10 from 4 above the top", {40, 35}, {0, -10}, true, {0, -4}},
        {"walking 3 into the left side", {-20, 0}, {8, 0}, true, {5, 0}},
        {"standing 1 deep", {40, 30}, {0, 0}, true, {0, 1}},
        {"standing far above", {40, 100}, {0, 0}, false, {7, 7}},
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

    // An edge fixture is not a polygon: no test, even across the feet.
    b2BodyDef def;
    b2EdgeShape edge;
    edge.SetTwoSided(b2Vec2(0.0f, 0.0f), b2Vec2(4.0f, 0.0f)); // y = 0, x from 0 to 160
    b2Fixture* edgeFixture = world.CreateBody(&def)->CreateFixture(&edge, 0.0f);
    character.SetPosition(Point<float>(40.0f, -10.0f));
    const Point<float> still(0.0f, 0.0f);
    Point<float> result;
    EXPECT_FALSE(CollideCharacterWithPolygon(&character, edgeFixture, &still, &result));
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
    Level level {"sweep"};
    CharacterObject character;
};

TEST_F(CharacterCircleSweep, CircleStopsOnLinesAndSlopesCountOnlyFromAboveWhenAsked)
{
    PlacedLine floor(level, Point<int>(0, 0), Point<int>(200, 0));
    PlacedLine slope(level, Point<int>(0, 0), Point<int>(100, 100)); // rising to the right
    const struct {
        const char* what;
        b2Fixture* line;
        Point<float> position, motion;
        float radius, centre; // the circle's centre is the position plus (centre, centre)
        int flags;
        bool hit;
        float travel; // on a hit, the y motion before the contact
    } cases[] = {
        {"falling 20 onto the floor", floor.fixture, {40, 20}, {0, -30}, 8, 8, 0, true, -20.0f},
        {"stopping short of the floor", floor.fixture, {40, 20}, {0, -10}, 8, 8, 0, false, 0.0f},
        // A circle of radius 4 touches the slope y = x with its centre 4 * sqrt(2)
        // = 5.66 below or above it: at (60, 54.34) rising, at (40, 45.66) falling.
        {"rising into the slope", slope.fixture, {60, 20}, {0, 40}, 4, 0, 0, true, 34.34f},
        {"rising into the slope, from above only", slope.fixture, {60, 20}, {0, 40}, 4, 0, 1, false, 0.0f},
        {"falling onto the slope, from above only", slope.fixture, {40, 70}, {0, -40}, 4, 0, 1, true,
            -24.34f},
    };
    for (const auto& c : cases) {
        character.SetPosition(c.position);
        Point<float> result(7.0f, 7.0f);
        EXPECT_EQ(SweepCharacterCircle(
                      &character, &c.motion, c.line, &result, c.radius, c.flags, c.centre, c.centre),
            c.hit)
            << c.what;
        // Box2D stops a fraction of a pixel early; a miss leaves the result alone.
        EXPECT_NEAR(result.x, c.hit ? 0.0f : 7.0f, 1e-3f) << c.what;
        EXPECT_NEAR(result.y, c.hit ? c.travel : 7.0f, 0.5f) << c.what;
    }
}

// ------------------------------------------------------------ objects

class CharacterAgainstObject : public ::testing::Test {
protected:
    CharacterAgainstObject()
    {
        character.GetCollisionShape().push_back(new CollisionBox<int>(0, 31, 31, 0));
        object.CollisionShapeAt(0) = std::make_unique<CollisionBox<int>>(0, 31, 31, 0, 0);
        object.CollisionShapeAt(1) = std::make_unique<CollisionBox<int>>(0, 31, 31, 0, 4);
    }
    CharacterObject character; // owns its one box, 0..31 x 0..31
    GraphicalObject object {"Block"};
    SpacialInstance<GraphicalObject, float> instance {&object, 100.0f, 0.0f};
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
