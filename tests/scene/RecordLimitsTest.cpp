#include "engine/serial/LineReaders.h"
#include "engine/serial/ReaderContext.h"
#include "scene/AnimatedSprite.h"
#include "scene/CollisionShape.h"
#include "scene/GraphicalObject.h"
#include "scene/SpacialInstance.h"
#include "scene/Sprite.h"
#include "tests/scene/RecordText.h"
#include "tests/scene/SceneHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using PlacedObject = SpacialInstance<GraphicalObject, float>;
using PlacedSprite = SpacialInstance<Sprite, int>;

// Exposes the screen placement of a placed object.
struct ScreenPlaced : PlacedObject {
    using PlacedObject::PlacedObject;
    using PlacedObject::PlaceOnScreen;
};

class RecordLimitsTest : public ::testing::Test {
protected:
    RecordLimitsTest()
    {
        game.sprites = {&leaf, &stone};
        game.sceneObjects = {&rock};
    }

    // The game owns what its tables hold: the fixture's own objects leave
    // them before the game goes.
    void TearDown() override
    {
        game.sceneObjects.clear();
        game.sprites.clear();
        game.animatedSprites.clear();
    }

    SceneHost game;
    Sprite leaf {"Leaf", "leaf.png", 0, 0, 16, 24};
    Sprite stone {"Stone", "stone.png", 0, 0, 8, 8};
    GraphicalObject rock {"Rock"};
};

} // namespace

TEST_F(RecordLimitsTest, ARecordReadTwiceHoldsOnlyTheSecond)
{
    AnimatedSprite first("First", {&leaf}, {10.0f}, {0.0f});
    AnimatedSprite second("Second", {&stone, &leaf}, {20.0f, 30.0f}, {1.0f, 2.0f});
    AnimatedSprite read;
    std::istringstream one(Body(Write(first)));
    std::istringstream two(Body(Write(second)));
    ASSERT_TRUE(read.UnSerialize(one));
    ASSERT_TRUE(read.UnSerialize(two));
    EXPECT_EQ(Write(read), Write(second));

    GraphicalObject object("Object");
    GraphicalObject withParts("WithParts");
    withParts.AddSpriteInstance(&leaf, 1, 2);
    withParts.AddGenericSpriteIndex(&leaf, 0);
    withParts.CollisionShapeAt(0) = std::make_unique<CollisionBox<int>>(0, 10, 10, 0);
    for (int pass = 0; pass < 2; ++pass) {
        std::istringstream text(Body(Write(withParts)));
        ASSERT_TRUE(object.UnSerialize(text));
    }
    EXPECT_EQ(object.GetSpriteInstanceCount(), 1);
    EXPECT_EQ(object.GetCollisionShapeCount(), 1);
    EXPECT_EQ(object.GetDrawEntryCount(), 1);
}

TEST_F(RecordLimitsTest, AReadOverAnOwnedPrototypeFreesItAndNeverTheLibrarys)
{
    PlacedSprite placed(new Sprite("Own", "own.png", 0, 0, 1, 1), 0, 0);
    placed.SetOwned(true);
    // A position that fails: the owned prototype stays, owned.
    std::istringstream bad("SpriteV0Ptr\r\nLeaf\r\n3\r\nfar\r\n");
    EXPECT_FALSE(placed.UnSerialize(bad));
    EXPECT_EQ(placed.GetPrototype()->GetName(), "Own");
    EXPECT_TRUE(placed.IsOwned());
    // A good record takes the library's sprite: the own one is freed (the
    // leak check holds it) and the library's is not owned (freeing it would
    // fail the address check).
    std::istringstream good("SpriteV0Ptr\r\nLeaf\r\n3\r\n4\r\n");
    ASSERT_TRUE(placed.UnSerialize(good));
    EXPECT_EQ(placed.GetPrototype(), &leaf);
    EXPECT_FALSE(placed.IsOwned());
}

TEST_F(RecordLimitsTest, AnUnknownPrototypeIsNamedInTheMessage)
{
    PlacedObject placed(&rock, 1.0f, 2.0f);
    PlacedSprite placedSprite(&leaf, 1, 2);
    std::istringstream object("GraphicalObjectV0Ptr\r\nNo Such Rock\r\n3\r\n4\r\n");
    std::istringstream sprite("SpriteV0Ptr\r\nNoLeaf\r\n3\r\n4\r\n");
    ReaderContext objectContext(object, "a.txt");
    ReaderContext spriteContext(sprite, "b.txt");
    EXPECT_FALSE(placed.UnSerialize(object));
    EXPECT_FALSE(placedSprite.UnSerialize(sprite));
    EXPECT_EQ(objectContext.GetError(),
        "a.txt:2: expected the name of a known GraphicalObject, found \"No Such Rock\"");
    EXPECT_EQ(spriteContext.GetError(), "b.txt:2: expected the name of a known Sprite, found \"NoLeaf\"");
    EXPECT_EQ(placed.GetPrototype(), &rock);
    EXPECT_EQ(placedSprite.GetPrototype(), &leaf);
}

TEST_F(RecordLimitsTest, PositionsBeyondAnyLevelAreRefusedWithTheirLine)
{
    struct Case {
        const char* name;
        std::string record;
        std::function<bool(std::istream&)> read;
        int line;
    };
    PlacedObject placed(&rock, 1.0f, 2.0f);
    PlacedSprite placedSprite(&leaf, 1, 2);
    Sprite sprite("S", "s.png", 0, 0, 1, 1);
    CollisionBox<int> box(0, 1, 1, 0);
    const Case cases[] = {
        {"placed object x", "GraphicalObjectV0Ptr\r\nRock\r\n3.40282e+38\r\n0\r\n",
            [&](std::istream& is) { return placed.UnSerialize(is); }, 3},
        {"placed object y", "GraphicalObjectV0Ptr\r\nRock\r\n0\r\n-4194305\r\n",
            [&](std::istream& is) { return placed.UnSerialize(is); }, 4},
        {"sprite offset", "SpriteV0Ptr\r\nLeaf\r\n2147483647\r\n0\r\n",
            [&](std::istream& is) { return placedSprite.UnSerialize(is); }, 3},
        {"sprite corner", "S\r\ns.png\r\n0\r\n0\r\n5000000\r\n1\r\n",
            [&](std::istream& is) { return sprite.UnSerialize(is); }, 5},
        {"box corner", "-2147483648\r\n0\r\n1\r\n0\r\n",
            [&](std::istream& is) { return box.UnSerialize(is); }, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::istringstream is(c.record);
        ReaderContext context(is, "level.txt");
        EXPECT_FALSE(c.read(is));
        EXPECT_EQ(
            context.GetError().rfind("level.txt:" + std::to_string(c.line) + ": expected a coordinate", 0),
            0u)
            << context.GetError();
    }
    EXPECT_EQ(placed.GetPosition(), Point<float>(1.0f, 2.0f));
    EXPECT_EQ(placedSprite.GetPosition(), Point<int>(1, 2));
    EXPECT_EQ(sprite.GetRect().x1, 1);
    EXPECT_EQ(box.GetRect(), Rect<int>(0, 1, 1, 0));

    // The bound itself is a position a level may hold.
    std::istringstream edge("GraphicalObjectV0Ptr\r\nRock\r\n4194304\r\n-4194304\r\n");
    ASSERT_TRUE(placed.UnSerialize(edge));
    EXPECT_EQ(placed.GetPosition(), Point<float>(4194304.0f, -4194304.0f));
}

TEST_F(RecordLimitsTest, ExtremeGeometrySetByCodeSaturates)
{
    const int max = std::numeric_limits<int>::max();
    const int min = std::numeric_limits<int>::min();
    // Corners at the ends of the int range: sizes, centres and moved corners
    // stay finite and pin at the range instead of wrapping.
    CollisionBox<int> huge(min, max, max, min);
    CollisionBox<int> small(0, 10, 10, 0);
    EXPECT_TRUE(huge.Intersects(&small, 0.0f, 0.0f, 5.0f, 5.0f));
    EXPECT_GT(huge.GetHalfSize().x, 2.0e9f);
    EXPECT_TRUE(std::isfinite(huge.GetExactCentre().x));
    const Rect<int> moved
        = CollisionBox<int>::GetMovedRect(&huge, Point<float>(3.0e38f, -3.0e38f), Point<int>(5, -5));
    // The shift pins at (max, min); each sum then pins or stays exact.
    EXPECT_EQ(moved, Rect<int>(-1, -1, max, min));
    CollisionBox<int> other(0, 10, 10, 0);
    EXPECT_FALSE(small.Intersects(&other, 0.0f, 0.0f, 3.0e38f, 0.0f)); // far apart, no wrap-around hit
    EXPECT_TRUE(small.Intersects(&other, 0.0f, 0.0f, 10.5f, 0.0f));
    const Rect<int> plain
        = CollisionBox<int>::GetMovedRect(&small, Point<float>(2.9f, -1.5f), Point<int>(1, 1));
    EXPECT_EQ(plain, Rect<int>(3, 10, 13, 0));

    ScreenPlaced far(&rock, 3.0e38f, -3.0e38f);
    far.PlaceOnScreen(Point<int>(min, max), 48);
    EXPECT_EQ(far.GetScreenPosition(), Point<int>(max, max));
    ScreenPlaced near(&rock, 100.7f, 20.2f);
    near.PlaceOnScreen(Point<int>(10, 300), 48);
    EXPECT_EQ(near.GetScreenPosition(), Point<int>(90, 232));
}
