#include "scene/SpacialInstance.h"

#include "scene/CollisionWorld.h"
#include "scene/Level.h"
#include "tests/scene/RecordText.h"

#include <box2d/box2d.h>
#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace {

// A prototype with the operations a placed instance calls, found by name in
// a table of the test.
struct FakePrototype {
    explicit FakePrototype(std::string n, Point<int> s = Point<int>(32, 32))
        : name(std::move(n))
        , size(s)
    {
    }

    static inline std::map<std::string, FakePrototype*> table;

    static FakePrototype* UnSerializeReference(std::istream& is, Level*)
    {
        std::string n;
        ReadStringLine(is, n);
        auto it = table.find(n);
        return it == table.end() ? nullptr : it->second;
    }
    bool SerializePtr(std::ostream& os)
    {
        WriteLine(os, std::string_view("FakePrototypeV0Ptr"));
        WriteLine(os, name);
        return true;
    }
    Point<int> GetSize() const { return size; }
    bool Draw(DXGraphicalSurface*, int x, int y, float sx, float sy, float rotation, int cx, int cy, int cw, int ch)
    {
        lastDraw = { x, y, cx, cy, cw, ch };
        lastScale = Point<float>(sx, sy);
        lastRotation = rotation;
        ++draws;
        return true;
    }

    std::string name;
    Point<int> size;
    std::vector<int> lastDraw;
    Point<float> lastScale;
    float lastRotation = 0.0f;
    int draws = 0;
};

using PlacedFloat = SpacialInstance<FakePrototype, float>;

// A zone payload that counts its live copies and writes a record of its own.
struct CountedZone : ZoneInstance {
    CountedZone() { ++alive; }
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

class SpacialInstanceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FakePrototype::table.clear();
        FakePrototype::table["Tree"] = &tree;
    }
    void TearDown() override { FakePrototype::table.clear(); }

    FakePrototype tree { "Tree", Point<int>(64, 48) };
};

// ------------------------------------------------------------ records

TEST_F(SpacialInstanceTest, GraphicalPlacementRoundTripsByteForByte)
{
    PlacedFloat placed(&tree, 100.5f, -32.0f);
    placed.SetAngle(1.25f);
    placed.SetVisible(false);
    placed.SetMirrored(true);
    placed.SetScrollMode(0, -1);
    placed.SetScrollSpeed(12.5f, 0.0f);
    placed.SetWrapOffset(3.0f, 0.333333f);
    const std::string text = Write(placed);
    EXPECT_EQ(text,
        "FakePrototypeV0Ptr\r\nTree\r\n100.5\r\n-32\r\n"
        "_SpacialInstance_updatetag_1.0_\r\n1.25\r\n"
        "_SpacialInstance_updatetag_1.1_\r\nNULL\r\n"
        "_SpacialInstance_updatetag_1.2_\r\n0\r\n"
        "_SpacialInstance_updatetag_1.3_\r\n1\r\n"
        "_SpacialInstance_updatetag_1.4_\r\n0\r\n-1\r\n12.5\r\n0\r\n3\r\n0.333333\r\n");

    std::istringstream is(text + "next\r\n");
    PlacedFloat read;
    ASSERT_TRUE(read.UnSerialize(is));
    EXPECT_EQ(Write(read), text);
    EXPECT_EQ(NextLine(is), "next");

    // An instance left out of the level file writes nothing.
    read.SetSkipSerialize(true);
    EXPECT_EQ(Write(read), "");
}

TEST_F(SpacialInstanceTest, OlderRecordsReadWithDefaults)
{
    // Stops with the position: the next record's first line follows.
    std::istringstream positionOnly("FakePrototypeV0Ptr\r\nTree\r\n5\r\n6\r\nFakePrototypeV0Ptr\r\n");
    PlacedFloat a;
    ASSERT_TRUE(a.UnSerialize(positionOnly));
    PlacedFloat fresh(&tree, 5.0f, 6.0f);
    EXPECT_EQ(Write(a), Write(fresh)); // every later group at its default
    EXPECT_EQ(NextLine(positionOnly), "FakePrototypeV0Ptr");

    // Stops after its angle, LF line ends.
    std::istringstream withAngle("FakePrototypeV0Ptr\nTree\n1\n2\n_SpacialInstance_updatetag_1.0_\n0.5\nnext\n");
    PlacedFloat b;
    ASSERT_TRUE(b.UnSerialize(withAngle));
    EXPECT_EQ(b.GetAngle(), 0.5f);
    EXPECT_EQ(b.GetPayload(), nullptr);
    EXPECT_TRUE(b.IsVisible());
    EXPECT_EQ(NextLine(withAngle), "next");
}

TEST_F(SpacialInstanceTest, BadCoordinateStopsTheCountedFields)
{
    std::istringstream is("FakePrototypeV0Ptr\r\nTree\r\nwide\r\n9\r\n_SpacialInstance_updatetag_1.0_\r\n2\r\n");
    PlacedFloat placed;
    EXPECT_FALSE(placed.UnSerialize(is));
    EXPECT_EQ(placed.GetAngle(), 0.0f);
    EXPECT_EQ(NextLine(is), "9"); // the y line stays unread
}

TEST_F(SpacialInstanceTest, PayloadWithoutItsClassFailsAndLaterGroupsKeepDefaults)
{
    PlacedFloat placed(&tree, 0.0f, 0.0f);
    placed.SetPayload(std::make_unique<CountedZone>());
    placed.SetVisible(false);
    const std::string text = Write(placed);
    EXPECT_NE(text.find("_SpacialInstance_updatetag_1.1_\r\nZone_Teleport::InstanceV0\r\n7\r\n"), std::string::npos);

    // The zone classes are not part of the program yet: the key is known
    // but nothing of the payload's own record is read.
    std::istringstream is(text);
    PlacedFloat read;
    EXPECT_FALSE(read.UnSerialize(is));
    EXPECT_EQ(read.GetPayload(), nullptr);
    EXPECT_TRUE(read.IsVisible());
    EXPECT_EQ(NextLine(is), "7");
}

// ------------------------------------------------------------ ownership

TEST_F(SpacialInstanceTest, DestructionAndRelocationReleaseEachPayloadOnce)
{
    {
        std::vector<PlacedFloat> layer;
        for (int i = 0; i < 20; ++i) { // grows several times
            PlacedFloat& placed = layer.emplace_back(&tree, static_cast<float>(i), 0.0f);
            placed.SetPayload(std::make_unique<CountedZone>());
        }
        layer.erase(layer.begin() + 3);
        EXPECT_EQ(CountedZone::alive, 19);
        EXPECT_EQ(layer[3].GetPosition().x, 4.0f);
        EXPECT_NE(layer[3].GetPayload(), nullptr);

        // A copy is a bare placement: it shares the prototype only.
        PlacedFloat copy = layer[0];
        EXPECT_EQ(copy.GetPrototype(), &tree);
        EXPECT_EQ(copy.GetPayload(), nullptr);
        EXPECT_FALSE(copy.IsOwned());
    }
    EXPECT_EQ(CountedZone::alive, 0);
}

TEST_F(SpacialInstanceTest, KeepPayloadsAndWorldlessLevels)
{
    auto* zone = new CountedZone;
    {
        PlacedFloat placed(&tree, 0.0f, 0.0f);
        placed.SetPayload(std::unique_ptr<SceneObjectInstance>(zone));
        PlacedFloat::SetKeepPayloads(true);
    }
    PlacedFloat::SetKeepPayloads(false);
    EXPECT_EQ(CountedZone::alive, 1); // left alone: still ours to delete
    delete zone;

    // Without a world no body is recorded, and destruction touches none.
    Level level("no world");
    CollisionWorld separate;
    b2BodyDef def;
    b2Body* body = separate.CreateBody(def, nullptr, 0);
    {
        PlacedFloat placed(&tree, 0.0f, 0.0f);
        placed.SetLevel(&level);
        placed.AddCollisionBody(body);
        EXPECT_TRUE(placed.GetCollisionBodies().empty());
    }
    EXPECT_EQ(separate.GetBodyCount(), 1);
}

// ------------------------------------------------------------ drawing

TEST_F(SpacialInstanceTest, DrawPlacesTheUpperLeftCornerOnScreen)
{
    PlacedFloat placed(&tree, 100.9f, 200.7f);
    placed.SetAngle(0.5f);
    placed.SetClipRect(16, 0, 16, 16);
    // View corner (64, 448): level y grows upward, screen y downward.
    EXPECT_TRUE(placed.Draw(nullptr, Point<int>(64, 448)));
    EXPECT_EQ(placed.GetScreenPosition(), Point<int>(36, 448 - (200 + 48)));
    EXPECT_EQ(tree.lastDraw, (std::vector<int> { 36, 200, 16, 0, 16, 16 }));
    EXPECT_EQ(tree.lastScale, Point<float>(1.0f, 1.0f));
    EXPECT_EQ(tree.lastRotation, 0.5f);

    placed.SetVisible(false);
    EXPECT_TRUE(placed.Draw(nullptr, Point<int>(0, 0)));
    EXPECT_EQ(tree.draws, 1);

    PlacedFloat empty;
    EXPECT_FALSE(empty.Draw(nullptr, Point<int>(0, 0)));
}

TEST_F(SpacialInstanceTest, TrailRecordsAfterEachSpacingOfEmptyFrames)
{
    const struct {
        int length, spacing, draws;
        const char* pattern; // oldest entry first, R: recorded
    } cases[] = {
        { 8, 2, 7, ".R..R..R" },
        { 5, 0, 3, "..RRR" },
        { 5, 5, 3, "..RRR" }, // a spacing of the length or more records every frame too
    };
    for (const auto& c : cases) {
        PlacedFloat placed(&tree, 0.0f, 0.0f);
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

} // namespace
