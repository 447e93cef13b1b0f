#include "scene/SpacialInstance.h"

#include "scene/AnimatedSprite.h"
#include "scene/CollisionShape.h"
#include "scene/CollisionWorld.h"
#include "scene/GameplayObject.h"
#include "scene/GraphicalObject.h"
#include "scene/Level.h"
#include "scene/Sprite.h"
#include "scene/ZoneInstance.h"
#include "tests/scene/RecordText.h"
#include "tests/scene/SceneHost.h"

#include <box2d/box2d.h>
#include <gtest/gtest.h>

#include <sstream>

namespace {

using PlacedObject = SpacialInstance<GraphicalObject, float>;
using PlacedSprite = SpacialInstance<Sprite, int>;
using PlacedAnimation = AnimatedSpriteSpacialInstance<int>;

// A graphical object 64 x 48 that counts its draws instead of drawing.
struct Rock : GraphicalObject {
    Rock()
        : GraphicalObject("Rock")
    {
        SetSize(64, 48, true);
    }
    bool DrawSprite(DXGraphicalSurface*, int, int, int, int, float, int, int, int, int) override
    {
        ++draws;
        return true;
    }
    int draws = 0;
};

// A zone payload that counts its live copies and writes a record of its own.
struct CountedZone : ZoneInstance {
    explicit CountedZone(Point<int> s = Point<int>(32, 32))
    {
        SetSize(s);
        ++alive;
    }
    ~CountedZone() override { --alive; }
    static inline int alive = 0;
    bool Serialize(std::ostream& os) override
    {
        WriteLine(os, GetVersionedClassName());
        WriteLine(os, 7);
        return true;
    }
    bool UnSerialize(std::istream&) override { return true; }
    std::string GetVersionedClassName() override { return "Zone_Teleport::InstanceV0"; }
};

// The game library's tables and a level, as the level reader finds them.
class SpacialInstanceTest : public ::testing::Test {
protected:
    SpacialInstanceTest()
    {
        game.sceneObjects.push_back(&rock);
        game.sprites = {&leaf, &frame0, &frame1, &frame2, &frame3};
        game.animatedSprites.push_back(&flame);
        for (Sprite* f : {&frame0, &frame1, &frame2, &frame3})
            flame.AddFrame(f, 100.0f, 0.0f);
        flame.SetFrameAux(2, 0.75f);
    }

    // Reads a placed object through the level.
    bool Read(PlacedObject& placed, std::istream& is)
    {
        placed.SetLevel(&level);
        return placed.UnSerialize(is);
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
    Level level {"garden.lvl"};
    Rock rock;
    Sprite leaf {"Leaf", "leaf.png", 0, 0, 16, 24};
    Sprite frame0 {"Flame0", "flame.png", 0, 0, 8, 12};
    Sprite frame1 {"Flame1", "flame.png", 8, 0, 16, 12};
    Sprite frame2 {"Flame2", "flame.png", 16, 0, 24, 12};
    Sprite frame3 {"Flame3", "flame.png", 24, 0, 32, 12};
    AnimatedSprite flame {"Flame"};
};

// ------------------------------------------------------------ records

TEST_F(SpacialInstanceTest, PlacedObjectRoundTripsByteForByte)
{
    PlacedObject placed(&rock, 100.5f, -32.0f);
    placed.SetAngle(1.25f);
    placed.SetVisible(false);
    placed.SetMirrored(true);
    placed.SetScrollMode(0, -1);
    placed.SetScrollSpeed(12.5f, 0.0f);
    placed.SetWrapOffset(3.0f, 0.333333f);
    const std::string text = Write(placed);
    EXPECT_EQ(text,
        "GraphicalObjectV0Ptr\r\nRock\r\n100.5\r\n-32\r\n"
        "_SpacialInstance_updatetag_1.0_\r\n1.25\r\n"
        "_SpacialInstance_updatetag_1.1_\r\nNULL\r\n"
        "_SpacialInstance_updatetag_1.2_\r\n0\r\n"
        "_SpacialInstance_updatetag_1.3_\r\n1\r\n"
        "_SpacialInstance_updatetag_1.4_\r\n0\r\n-1\r\n12.5\r\n0\r\n3\r\n0.333333\r\n");

    std::istringstream is(text + "next\r\n");
    PlacedObject read;
    ASSERT_TRUE(Read(read, is));
    EXPECT_EQ(Write(read), text);
    EXPECT_EQ(NextLine(is), "next");

    // An instance left out of the level file writes nothing.
    read.SetSkipSerialize(true);
    EXPECT_EQ(Write(read), "");
}

TEST_F(SpacialInstanceTest, OlderRecordsReadWithDefaults)
{
    PlacedObject positionOnly(&rock, 5.0f, 6.0f);
    PlacedObject withAngle(&rock, 1.0f, 2.0f);
    withAngle.SetAngle(0.5f);
    const std::pair<const char*, PlacedObject*> cases[] = {
        // Stops with the position: the next record's first line follows.
        {"GraphicalObjectV0Ptr\r\nRock\r\n5\r\n6\r\nGraphicalObjectV0Ptr\r\n", &positionOnly},
        // Stops after its angle, LF line ends.
        {"GraphicalObjectV0Ptr\nRock\n1\n2\n_SpacialInstance_updatetag_1.0_\n0.5\nGraphicalObjectV0Ptr\n",
            &withAngle},
    };
    for (const auto& [record, expected] : cases) {
        std::istringstream is(record);
        PlacedObject read;
        ASSERT_TRUE(Read(read, is)) << record;
        EXPECT_EQ(Write(read), Write(*expected)) << record; // every later group at its default
        EXPECT_EQ(NextLine(is), "GraphicalObjectV0Ptr") << record;
    }
}

TEST_F(SpacialInstanceTest, BadCoordinateStopsTheCountedFields)
{
    std::istringstream is(
        "GraphicalObjectV0Ptr\r\nRock\r\nwide\r\n9\r\n_SpacialInstance_updatetag_1.0_\r\n2\r\n");
    PlacedObject placed;
    EXPECT_FALSE(Read(placed, is));
    EXPECT_EQ(placed.GetAngle(), 0.0f);
    EXPECT_EQ(NextLine(is), "9"); // the y line stays unread
}

TEST_F(SpacialInstanceTest, UnknownObjectNameFailsCleanly)
{
    std::istringstream is(
        "GraphicalObjectV0Ptr\r\nBoulder\r\n1\r\n2\r\n_SpacialInstance_updatetag_1.0_\r\n0\r\n");
    PlacedObject read;
    EXPECT_FALSE(Read(read, is));
    EXPECT_EQ(read.GetPrototype(), nullptr);
    EXPECT_EQ(level.FindObjectByName("Boulder"), nullptr);
    EXPECT_EQ(NextLine(is), "1"); // the rest of the record stays unread

    // A sprite is not a graphical object, even when its name matches.
    std::istringstream sprite("GraphicalObjectV0Ptr\r\nLeaf\r\n1\r\n2\r\n");
    EXPECT_FALSE(read.UnSerialize(sprite));
}

TEST_F(SpacialInstanceTest, DamagedPayloadFailsTheRecordAndLaterGroupsKeepDefaults)
{
    PlacedObject placed(&rock, 0.0f, 0.0f);
    placed.SetPayload(std::make_unique<CountedZone>());
    placed.SetVisible(false);
    const std::string text = Write(placed);
    EXPECT_NE(text.find("_SpacialInstance_updatetag_1.1_\r\nZone_Teleport::InstanceV0\r\n7\r\n"),
        std::string::npos);

    // A teleport record whose member count (7) exceeds the class's members
    // is damaged: the placement is not read.
    std::istringstream is(text);
    PlacedObject read;
    EXPECT_FALSE(Read(read, is));
    EXPECT_EQ(read.GetPayload(), nullptr);
    EXPECT_TRUE(read.IsVisible());
}

// Writes the placement, checks the head of its record (reference and
// position), reads it back through the game library, and returns the
// prototype the reading found; the record must come back whole.
template <class Placed> auto RoundTrip(Placed& placed, const std::string& head)
{
    const std::string text = Write(placed);
    EXPECT_EQ(text.substr(0, text.find("_Spacial")), head);
    std::istringstream is(text);
    Placed read;
    EXPECT_TRUE(read.UnSerialize(is)) << head;
    EXPECT_EQ(Write(read), text);
    return read.GetPrototype();
}

TEST_F(SpacialInstanceTest, SpriteAndAnimationFormsRoundTripThroughTheLibrary)
{
    PlacedSprite sprite(&leaf, 3, -7);
    EXPECT_EQ(RoundTrip(sprite, "SpriteV0Ptr\r\nLeaf\r\n3\r\n-7\r\n"), &leaf);
    PlacedAnimation animation(&flame, 0, 5);
    EXPECT_EQ(RoundTrip(animation, "AnimatedSpriteV0Ptr\r\nFlame\r\n0\r\n5\r\n"), &flame);

    std::istringstream missing("SpriteV0Ptr\r\nBranch\r\n0\r\n0\r\n");
    PlacedSprite read;
    EXPECT_FALSE(read.UnSerialize(missing));
}

// ------------------------------------------------------------ drawing

TEST_F(SpacialInstanceTest, DrawPlacesTheUpperLeftCornerOnScreen)
{
    PlacedObject placed(&rock, 100.9f, 200.7f);
    // View corner (64, 448): level y grows upward, screen y downward.
    EXPECT_TRUE(placed.Draw(nullptr, Point<int>(64, 448)));
    EXPECT_EQ(placed.GetScreenPosition(), Point<int>(36, 448 - (200 + 48)));

    placed.SetVisible(false);
    EXPECT_TRUE(placed.Draw(nullptr, Point<int>(0, 0)));
    EXPECT_EQ(rock.draws, 1);

    PlacedObject empty;
    EXPECT_FALSE(empty.Draw(nullptr, Point<int>(0, 0)));
}

TEST_F(SpacialInstanceTest, TrailRecordsAfterEachSpacingOfEmptyFrames)
{
    const struct {
        int length, spacing, draws;
        const char* pattern; // oldest entry first, R: recorded
    } cases[] = {
        {8, 2, 7, ".R..R..R"},
        {5, 5, 3, "..RRR"}, // a spacing of the length or more records every frame, as 0 does
    };
    for (const auto& c : cases) {
        PlacedObject placed(&rock, 0.0f, 0.0f);
        placed.SetTrailLength(c.length);
        placed.SetTrailSpacing(c.spacing);
        for (int frame = 0; frame < c.draws; ++frame)
            placed.Draw(nullptr, Point<int>(0, 0));
        std::string pattern;
        for (size_t i = 0; i < static_cast<size_t>(c.length); ++i)
            pattern += placed.GetTrail().IsRecorded(i) ? 'R' : '.';
        EXPECT_EQ(pattern, c.pattern) << "spacing " << c.spacing;
    }
}

// ------------------------------------------------------------ animation

TEST_F(SpacialInstanceTest, AnimationFramesPlayAndDraw)
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

struct DrawnZone : GameplayObject {
    DrawnZone()
        : GameplayObject("Zone Trigger")
    {
    }
    bool IsZoneType() const override { return true; }
    bool RenderInstance(DXGraphicalSurface*, ZoneInstance* instance, int x, int y, float, float, float, int,
        int, int, int) override
    {
        drawnInstance = instance;
        drawnAt = Point<int>(x, y);
        return true;
    }
    ZoneInstance* drawnInstance = nullptr;
    Point<int> drawnAt;
};

struct StartPoint : PointInstance {
    bool Serialize(std::ostream&) override { return true; }
    bool UnSerialize(std::istream&) override { return true; }
    std::string GetVersionedClassName() override { return "Point_PlayerStart::PointInstanceV0"; }
};

TEST_F(SpacialInstanceTest, ZonesDrawFromTheirInstanceAndRecordNoTrail)
{
    DrawnZone zone;
    PlacedObject placed(&zone, 100.0f, 50.0f);
    placed.SetPayload(std::make_unique<CountedZone>(Point<int>(96, 64)));
    placed.SetTrailLength(3);
    EXPECT_EQ(placed.GetSize(), Point<int>(96, 64));

    EXPECT_TRUE(placed.Draw(nullptr, Point<int>(0, 448)));
    EXPECT_EQ(zone.drawnInstance, placed.GetPayload());
    // Placed by the object's size (32 x 32), not the zone's.
    EXPECT_EQ(zone.drawnAt, Point<int>(100, 448 - (50 + 32)));
    for (size_t i = 0; i < 3; ++i)
        EXPECT_FALSE(placed.GetTrail().IsRecorded(i));

    // A point draws nothing; its trail steps all the same.
    PlacedObject point(&zone, 0.0f, 0.0f);
    point.SetPayload(std::make_unique<StartPoint>());
    point.SetTrailLength(2);
    zone.drawnInstance = nullptr;
    EXPECT_FALSE(point.Draw(nullptr, Point<int>(0, 0)));
    EXPECT_EQ(zone.drawnInstance, nullptr);
    EXPECT_TRUE(point.GetTrail().IsRecorded(1));
    EXPECT_EQ(point.GetSize(), Point<int>(32, 32));
}

// ------------------------------------------------------------ ownership

TEST_F(SpacialInstanceTest, DestructionAndRelocationReleaseEachCloneBodyAndPayloadOnce)
{
    level.SetCollisionWorld(std::make_unique<CollisionWorld>());
    CollisionWorld* world = level.GetCollisionWorld();
    {
        std::vector<PlacedObject> layer;
        for (int i = 0; i < 6; ++i) { // the layer grows, moving its instances, several times
            auto* clone = static_cast<GraphicalObject*>(rock.Clone(true));
            clone->CollisionShapeAt(0) = std::make_unique<CollisionBox<int>>(0, 31, 31, 0);
            PlacedObject& placed = layer.emplace_back(clone, 32.0f * i, 0.0f);
            placed.SetOwned(true);
            placed.SetLevel(&level);
            placed.SetPayload(std::make_unique<CountedZone>());
            b2BodyDef def;
            placed.AddCollisionBody(world->CreateBody(def, &placed, 0));
        }
        layer.erase(layer.begin());
        EXPECT_EQ(CountedZone::alive, 5);
        EXPECT_EQ(world->GetBodyCount(), 5);
        EXPECT_EQ(layer[0].GetPosition().x, 32.0f);

        // A copy is a bare placement: it shares the prototype only.
        PlacedObject copy = layer[0];
        EXPECT_EQ(copy.GetPrototype(), layer[0].GetPrototype());
        EXPECT_EQ(copy.GetPayload(), nullptr);
        EXPECT_FALSE(copy.IsOwned());
        EXPECT_TRUE(copy.GetCollisionBodies().empty());
    }
    EXPECT_EQ(CountedZone::alive, 0);
    EXPECT_EQ(world->GetBodyCount(), 0);
    // Leaks or double frees of the clones and their shapes are caught by the
    // address sanitizer of the test build.
}

TEST_F(SpacialInstanceTest, KeepPayloadsAndWorldlessLevels)
{
    auto* zone = new CountedZone;
    {
        PlacedObject placed(&rock, 0.0f, 0.0f);
        placed.SetPayload(std::unique_ptr<SceneObjectInstance>(zone));
        PlacedObject::SetKeepPayloads(true);
    }
    PlacedObject::SetKeepPayloads(false);
    EXPECT_EQ(CountedZone::alive, 1); // left alone: still ours to delete
    delete zone;

    // Without a world no body is recorded, and destruction touches none.
    level.SetCollisionWorld(nullptr);
    CollisionWorld separate;
    b2BodyDef def;
    b2Body* body = separate.CreateBody(def, nullptr, 0);
    {
        PlacedObject placed(&rock, 0.0f, 0.0f);
        placed.SetLevel(&level);
        placed.AddCollisionBody(body);
        EXPECT_TRUE(placed.GetCollisionBodies().empty());
    }
    EXPECT_EQ(separate.GetBodyCount(), 1);
}

TEST_F(SpacialInstanceTest, BodyRecordsFollowTheirInstanceAndStaleBodiesAreLeftAlone)
{
    level.SetCollisionWorld(std::make_unique<CollisionWorld>());
    CollisionWorld* world = level.GetCollisionWorld();
    b2BodyDef def;
    std::vector<PlacedObject> layer;
    layer.reserve(1);
    layer.emplace_back(&rock, 0.0f, 0.0f).SetLevel(&level);
    b2Body* body = world->CreateBody(def, &layer[0], 3);
    layer[0].AddCollisionBody(body);
    const CollisionBodyRecord* record = CollisionWorld::GetRecord(body);
    for (int i = 0; i < 100; ++i) // the records keep their addresses while more are made
        world->CreateBody(def, nullptr, i);
    world->DestroyBody(nullptr);
    EXPECT_EQ(world->GetBodyCount(), 101);
    layer.emplace_back(&rock, 32.0f, 0.0f); // relocates the first instance
    EXPECT_EQ(CollisionWorld::GetRecord(body), record);
    EXPECT_EQ(record->instance, &layer[0]);
    EXPECT_EQ(record->shapeIndex, 3);

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
