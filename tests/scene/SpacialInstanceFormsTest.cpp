#include "scene/SpacialInstance.h"

#include "game/Game.h"
#include "scene/AnimatedSprite.h"
#include "scene/CollisionShape.h"
#include "scene/CollisionWorld.h"
#include "scene/GraphicalObject.h"
#include "scene/Level.h"
#include "scene/Sprite.h"
#include "tests/scene/RecordText.h"
#include "zones/GameplayObject_Zone.h"

#include <box2d/box2d.h>
#include <gtest/gtest.h>

#include <sstream>

namespace {

using PlacedObject = SpacialInstance<GraphicalObject, float>;
using PlacedSprite = SpacialInstance<Sprite, int>;
using PlacedAnimation = AnimatedSpriteSpacialInstance<int>;

// The game library's tables, as the level reader finds them.
class SpacialInstanceForms : public ::testing::Test {
protected:
    SpacialInstanceForms()
    {
        game.sceneObjects.push_back(&rock);
        game.sprites = { &leaf, &frame0, &frame1, &frame2, &frame3 };
        game.animatedSprites.push_back(&flame);
        for (Sprite* f : { &frame0, &frame1, &frame2, &frame3 })
            flame.AddFrame(f, 100.0f, 0.0f);
        flame.SetFrameAux(2, 0.75f);
    }

    Game game;
    GraphicalObject rock { "Rock" };
    Sprite leaf { "Leaf", "leaf.png", 0, 0, 16, 24 };
    Sprite frame0 { "Flame0", "flame.png", 0, 0, 8, 12 };
    Sprite frame1 { "Flame1", "flame.png", 8, 0, 16, 12 };
    Sprite frame2 { "Flame2", "flame.png", 16, 0, 24, 12 };
    Sprite frame3 { "Flame3", "flame.png", 24, 0, 32, 12 };
    AnimatedSprite flame { "Flame" };
};

// ------------------------------------------------------------ records

// Writes the placement, checks the head of its record (reference and
// position), reads it back through the level and the game library, and
// returns the prototype the reading found; the record must come back whole.
template <class Placed>
auto RoundTrip(Placed& placed, const std::string& head, Level* level)
{
    const std::string text = Write(placed);
    EXPECT_EQ(text.substr(0, text.find("_Spacial")), head);
    std::istringstream is(text);
    Placed read;
    read.SetLevel(level);
    EXPECT_TRUE(read.UnSerialize(is)) << head;
    EXPECT_EQ(Write(read), text);
    return read.GetPrototype();
}

TEST_F(SpacialInstanceForms, EachFormRoundTripsThroughTheLevelAndTheLibrary)
{
    Level level("garden.lvl");
    PlacedObject object(&rock, 320.25f, 64.0f);
    object.SetAngle(-0.5f);
    EXPECT_EQ(RoundTrip(object, "GraphicalObjectV0Ptr\r\nRock\r\n320.25\r\n64\r\n", &level), &rock);
    // Later references find the object in the level.
    EXPECT_EQ(level.FindObjectByName("Rock"), &rock);

    PlacedSprite sprite(&leaf, 3, -7);
    EXPECT_EQ(RoundTrip(sprite, "SpriteV0Ptr\r\nLeaf\r\n3\r\n-7\r\n", nullptr), &leaf);
    PlacedAnimation animation(&flame, 0, 5);
    EXPECT_EQ(RoundTrip(animation, "AnimatedSpriteV0Ptr\r\nFlame\r\n0\r\n5\r\n", nullptr), &flame);

    std::istringstream missing("SpriteV0Ptr\r\nBranch\r\n0\r\n0\r\n");
    PlacedSprite read;
    EXPECT_FALSE(read.UnSerialize(missing));
}

TEST_F(SpacialInstanceForms, UnknownObjectNameFailsCleanly)
{
    Level level("garden.lvl");
    std::istringstream is(
        "GraphicalObjectV0Ptr\r\nBoulder\r\n1\r\n2\r\n_SpacialInstance_updatetag_1.0_\r\n0\r\n");
    PlacedObject read;
    read.SetLevel(&level);
    EXPECT_FALSE(read.UnSerialize(is));
    EXPECT_EQ(read.GetPrototype(), nullptr);
    EXPECT_EQ(level.FindObjectByName("Boulder"), nullptr);
    EXPECT_EQ(NextLine(is), "1"); // the rest of the record stays unread

    // A sprite is not a graphical object, even when its name matches.
    std::istringstream sprite("GraphicalObjectV0Ptr\r\nLeaf\r\n1\r\n2\r\n");
    EXPECT_FALSE(read.UnSerialize(sprite));
}

// ------------------------------------------------------------ animation

TEST_F(SpacialInstanceForms, AnimationFramesPlayAndDraw)
{
    PlacedAnimation placed(&flame, 10, 20);
    placed.SetFrame(100);
    EXPECT_EQ(placed.GetCurrentFrameSprite(), &frame3);
    placed.SetFrame(2);
    EXPECT_EQ(placed.GetCurrentFrameRotation(), 0.75f);
    // Outside the animation: no sprite, no rotation, no crash.
    placed.SetFrame(-3);
    EXPECT_EQ(placed.GetCurrentFrameSprite(), nullptr);
    EXPECT_EQ(placed.GetCurrentFrameRotation(), 0.0f);

    // Play(true) restarts and skips its first step; Stop holds the frame.
    placed.Play(true);
    EXPECT_EQ(placed.GetFrame(), 0);
    placed.Step(150.0f);
    EXPECT_EQ(placed.GetFrame(), 0);
    EXPECT_EQ(placed.GetTime(), 0.0);
    placed.Step(150.0f);
    EXPECT_EQ(placed.GetFrame(), 1);
    EXPECT_EQ(placed.GetTime(), 50.0);
    placed.Stop();
    placed.Step(100.0f);
    EXPECT_EQ(placed.GetFrame(), 1);

    // Drawn above its position by the animation's height, that of its first
    // frame (12).
    placed.Draw(nullptr, Point<int>(4, 448));
    EXPECT_EQ(placed.GetScreenPosition(), Point<int>(6, 448 - (20 + 12)));

    PlacedAnimation empty;
    empty.SetFrame(5);
    empty.Step(50.0f);
    EXPECT_EQ(empty.GetFrame(), 0);
    EXPECT_EQ(empty.GetCurrentFrameSprite(), nullptr);
    EXPECT_FALSE(empty.Draw(nullptr, Point<int>(0, 0)));
}

// ------------------------------------------------------------ zones

struct DrawnZone : GameplayObject_Zone {
    DrawnZone()
        : GameplayObject_Zone("Zone Trigger")
    {
    }
    bool RenderInstance(DXGraphicalSurface*, ZoneInstance* instance, int x, int y, float, float, float, int, int,
        int, int) override
    {
        drawnInstance = instance;
        drawnAt = Point<int>(x, y);
        return true;
    }
    ZoneInstance* drawnInstance = nullptr;
    Point<int> drawnAt;
};

struct SizedZone : ZoneInstance {
    explicit SizedZone(Point<int> s) { size = s; }
    bool Serialize(std::ostream&) override { return true; }
    bool UnSerialize(std::istream&) override { return true; }
    std::string GetVersionedClassName() override { return "Zone_TriggerScript::InstanceV0"; }
};

struct StartPoint : PointInstance {
    bool Serialize(std::ostream&) override { return true; }
    bool UnSerialize(std::istream&) override { return true; }
    std::string GetVersionedClassName() override { return "Point_PlayerStart::PointInstanceV0"; }
};

TEST_F(SpacialInstanceForms, ZonesDrawFromTheirInstanceAndRecordNoTrail)
{
    DrawnZone zone;
    PlacedObject placed(&zone, 100.0f, 50.0f);
    placed.SetPayload(std::make_unique<SizedZone>(Point<int>(96, 64)));
    placed.SetTrailLength(3);
    EXPECT_EQ(placed.GetSize(), Point<int>(96, 64));

    EXPECT_TRUE(placed.Draw(nullptr, Point<int>(0, 448)));
    EXPECT_EQ(zone.drawnInstance, placed.GetPayload());
    // Placed by the object's size (32 x 32), not the zone's.
    EXPECT_EQ(zone.drawnAt, Point<int>(100, 448 - (50 + 32)));
    for (size_t i = 0; i < 3; ++i)
        EXPECT_FALSE(placed.GetTrail().IsRecorded(i));

    PlacedObject point(&zone, 0.0f, 0.0f);
    point.SetPayload(std::make_unique<StartPoint>());
    zone.drawnInstance = nullptr;
    EXPECT_FALSE(point.Draw(nullptr, Point<int>(0, 0)));
    EXPECT_EQ(zone.drawnInstance, nullptr);
    EXPECT_EQ(point.GetSize(), Point<int>(32, 32));
}

// ------------------------------------------------------------ ownership

TEST_F(SpacialInstanceForms, PlacedClonesWithPayloadsAndBodiesLeaveNothingBehind)
{
    Level level("collisions");
    level.SetCollisionWorld(std::make_unique<CollisionWorld>());
    {
        std::vector<PlacedObject> layer;
        for (int i = 0; i < 6; ++i) {
            auto* clone = static_cast<GraphicalObject*>(rock.Clone(true));
            clone->CollisionShapeAt(0) = std::make_unique<CollisionBox<int>>(0, 31, 31, 0);
            PlacedObject& placed = layer.emplace_back(clone, 32.0f * i, 0.0f);
            placed.SetOwned(true);
            placed.SetLevel(&level);
            placed.SetPayload(std::make_unique<SizedZone>(Point<int>(32, 32)));
            b2BodyDef def;
            placed.AddCollisionBody(level.GetCollisionWorld()->CreateBody(def, &layer.back(), 0));
        }
        layer.erase(layer.begin());
        EXPECT_EQ(level.GetCollisionWorld()->GetBodyCount(), 5);
    }
    EXPECT_EQ(level.GetCollisionWorld()->GetBodyCount(), 0);
    // Leaks or double frees of the clones, shapes and payloads are caught by
    // the address sanitizer of the test build.
}

TEST_F(SpacialInstanceForms, BodyRecordsFollowTheirInstanceAndStaleBodiesAreLeftAlone)
{
    Level level("collisions");
    level.SetCollisionWorld(std::make_unique<CollisionWorld>());
    b2BodyDef def;
    std::vector<PlacedObject> layer;
    layer.reserve(1);
    layer.emplace_back(&rock, 0.0f, 0.0f).SetLevel(&level);
    b2Body* body = level.GetCollisionWorld()->CreateBody(def, &layer[0], 0);
    layer[0].AddCollisionBody(body);
    layer.emplace_back(&rock, 32.0f, 0.0f); // relocates the first instance
    EXPECT_EQ(CollisionWorld::GetRecord(body)->instance, &layer[0]);

    // The world is rebuilt: the old bodies went with the old world, and the
    // instance must not reach into the new one with them.
    level.SetCollisionWorld(std::make_unique<CollisionWorld>());
    PlacedObject other(&rock, 0.0f, 0.0f);
    other.SetLevel(&level);
    b2Body* fresh = level.GetCollisionWorld()->CreateBody(def, &other, 0);
    other.AddCollisionBody(fresh);
    layer.clear();
    EXPECT_EQ(level.GetCollisionWorld()->GetBodyCount(), 1);
    EXPECT_TRUE(level.GetCollisionWorld()->HoldsBody(fresh));
}

} // namespace
