#include "scene/Layer.h"

#include "characters/CharacterObject.h"
#include "tests/scene/LevelFixture.h"

#include <gtest/gtest.h>

using namespace scenetest;

namespace {

// A "Collisions" layer with the ground, a one-way ledge from (200, 120) to
// (263, 135) and a wall from (300, 32) to (331, 95); a character of one
// 16 x 32 box.
class LayerCollision : public ::testing::Test, public GameLibrary {
protected:
    LayerCollision()
    {
        wall.SetSize(32, 64, true);
        wall.CollisionShapeAt(0) = std::make_unique<CollisionBox<int>>(0, 63, 31, 0, 0);
        collisions = level.CreateLayer(Level::kScene, "Collisions", nullptr, 512, 448, 32, 32);
        collisions->AddPlacedInstance(&ground, 0, 0);
        collisions->AddPlacedInstance(&ledge, 200, 120);
        collisions->AddPlacedInstance(&wall, 300, 32);
        character.GetCollisionShape().push_back(new CollisionBox<int>(0, 31, 15, 0, 0)); // owned
    }

    // The character's box moved by (dx, dy), as the query rectangle.
    bool Collide(float dx, float dy, Point<float>* push, int* kind)
    {
        const Point<float> p = character.GetPosition();
        const Point<int> a(static_cast<int>(p.x + dx), static_cast<int>(p.y + dy + 31));
        const Point<int> b(static_cast<int>(p.x + dx + 15), static_cast<int>(p.y + dy));
        return collisions->CollideCharacter(-1, &character, a, b, dx, dy, kind, push);
    }

    Level level {"collide"};
    GraphicalObject wall {"Wall"};
    Layer* collisions = nullptr;
    CharacterObject character;
};

TEST_F(LayerCollision, PlatformStopsThePlayerFromAboveOnlyAndEveryOtherCharacterAlways)
{
    struct Case {
        const char* what;
        bool player;
        Point<float> position;
        float dy;
        bool hits;
    };
    const Case cases[] = {
        {"player jumping up through it from below", true, {210, 100}, 30, false},
        {"player landing on it from above", true, {210, 140}, -10, true},
        {"enemy jumping up into it from below", false, {210, 100}, 30, true},
        {"enemy landing on it", false, {210, 140}, -10, true},
        {"player beside it", true, {100, 100}, 30, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        character.SetPlayerCharacter(c.player);
        character.SetPosition(c.position);
        character.SetLastContact(nullptr);
        Point<float> push;
        int kind = -1;
        EXPECT_EQ(Collide(0, c.dy, &push, &kind), c.hits);
        if (c.hits) {
            EXPECT_EQ(kind, 0);
            ASSERT_NE(character.GetLastContact(), nullptr);
            EXPECT_EQ(character.GetLastContact()->instance->GetPrototype(), &ledge);
        }
    }
}

TEST_F(LayerCollision, ResolveCollisionPushesBackToOnePixelBeforeTheBox)
{
    struct Case {
        const char* what;
        Point<float> position;
        float dx, dy;
        Point<float> push;
    };
    // The wall's left edge is x = 300, its right edge 331, its top 95.
    const Case cases[] = {
        {"moving right into the wall", {284, 40}, 3, 0, {300 - (284 + 15 + 3) - 1, 0}},
        {"moving left into the wall", {330, 40}, -4, 0, {331 - (330 - 4) + 1, 0}},
        {"falling onto the wall", {310, 100}, 0, -6, {0, 95 - (100 - 6) + 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        character.SetPosition(c.position);
        const Point<float> p = c.position;
        const Point<int> a(static_cast<int>(p.x + c.dx), static_cast<int>(p.y + c.dy + 31));
        const Point<int> b(static_cast<int>(p.x + c.dx + 15), static_cast<int>(p.y + c.dy));
        Point<float> push(99, 99);
        int kind = -1;
        ASSERT_TRUE(collisions->ResolveCollision(-1, &character, a, b, c.dx, c.dy, &kind, &push, 16));
        EXPECT_EQ(push, c.push);
        EXPECT_EQ(character.GetLastContact()->instance->GetPrototype(), &wall);
    }

    // Nothing near: no contact and the push is left alone.
    character.SetPosition(Point<float>(900, 300));
    Point<float> push(7, 7);
    int kind = 5;
    EXPECT_FALSE(Collide(3, 0, &push, &kind));
    EXPECT_EQ(push, Point<float>(7, 7));
    EXPECT_EQ(kind, 5);
    // The object test over the gathered instances hands the motion back.
    EXPECT_FALSE(collisions->CollideShape(&character, Point<float>(3, 0), &push));
    EXPECT_EQ(push, Point<float>(3, 0));
}

TEST_F(LayerCollision, PointQueriesCoverTheLastPixelAndStopAtTheBounds)
{
    // The wall covers x 300..331 and y 32..95.
    EXPECT_EQ(collisions->GetInstanceAt(Point<int>(331, 95), false)->GetPrototype(), &wall);
    EXPECT_EQ(collisions->GetInstanceAt(Point<int>(332, 95), false), nullptr);
    EXPECT_EQ(collisions->GetInstanceAt(Point<int>(331, 96), false), nullptr);
    // Overlapping instances: the first of the list wins (the ground over the wall's foot).
    collisions->AddPlacedInstance(&wall, 0, 0);
    EXPECT_EQ(collisions->GetInstanceAt(Point<int>(5, 5), false)->GetPrototype(), &ground);

    // Outside the bounds nothing is found, not even an added instance there.
    collisions->AddGraphicalObject(&tree, 2000, 2000, false, 0);
    EXPECT_EQ(collisions->GetInstanceAt(Point<int>(2010, 2010), true), nullptr);
    EXPECT_EQ(collisions->GetInstanceAt(Point<int>(-10, 5), true), nullptr);

    // The instances gathered around a rectangle, each once, in first-found order.
    Layer::InstanceList found;
    collisions->CollectInstancesInRect(Point<int>(190, 130), Point<int>(320, 40), found, false);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0]->GetPrototype(), &ledge);
    EXPECT_EQ(found[1]->GetPrototype(), &wall);
}

} // namespace
