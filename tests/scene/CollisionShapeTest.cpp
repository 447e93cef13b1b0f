#include "scene/CollisionShape.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::string Write(ISerialization& s)
{
    std::ostringstream os;
    EXPECT_TRUE(s.Serialize(os));
    return os.str();
}

// ------------------------------------------------------------ records

TEST(CollisionShapeRecord, BoxRoundTripsByteForByte)
{
    CollisionBox<int> box(-3, 40, 27, 8, 5);
    box.SetFrame(2);
    const std::string text = Write(box);
    EXPECT_EQ(text,
        "CollisionBoxV0\r\n_CollisionBox_updatetag_1.1_\r\n5\r\n_CollisionBox_updatetag_1.2_\r\n2\r\n"
        "-3\r\n40\r\n27\r\n8\r\n");

    std::istringstream is(text);
    auto shape = ReadCollisionShape(is);
    ASSERT_NE(shape, nullptr);
    auto* read = dynamic_cast<CollisionBox<int>*>(shape.get());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->GetType(), 5);
    EXPECT_EQ(read->GetFrame(), 2);
    EXPECT_EQ(read->GetRect(), Rect<int>(-3, 40, 27, 8));
    EXPECT_EQ(Write(*read), text);
}

TEST(CollisionShapeRecord, LineRoundTripsByteForByte)
{
    CollisionLine<int> line(Point<int>(0, 10), Point<int>(64, -6), 1);
    line.SetFrame(7);
    const std::string text = Write(line);
    EXPECT_EQ(text, "CollisionLineV0\r\n_CollisionLine_updatetag_1.0_\r\n7\r\n0\r\n10\r\n64\r\n-6\r\n1\r\n");

    std::istringstream is(text);
    auto shape = ReadCollisionShape(is);
    auto* read = dynamic_cast<CollisionLine<int>*>(shape.get());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->GetFrame(), 7);
    EXPECT_EQ(read->GetSecondPoint(), Point<int>(64, -6));
    EXPECT_EQ(Write(*read), text);
}

TEST(CollisionShapeRecord, OlderRecordsWithoutTagsReadWithDefaults)
{
    // LF-only line ends are accepted too; the reader stops right after the
    // last field, so the following line is still there.
    std::istringstream is("CollisionBoxV0\n1\n31\n33\n0\nNEXT\nCollisionLineV0\n1\n2\n3\n4\n9\n");
    auto box = ReadCollisionShape(is);
    auto* b = dynamic_cast<CollisionBox<int>*>(box.get());
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->GetType(), 0);
    EXPECT_EQ(b->GetFrame(), -1);
    EXPECT_EQ(b->GetRect(), Rect<int>(1, 31, 33, 0));
    std::string next;
    std::getline(is, next);
    EXPECT_EQ(next, "NEXT");

    auto line = ReadCollisionShape(is);
    auto* l = dynamic_cast<CollisionLine<int>*>(line.get());
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->GetFrame(), -1);
    EXPECT_EQ(l->GetFirstPoint(), Point<int>(1, 2));
    EXPECT_EQ(l->GetType(), 9);
}

TEST(CollisionShapeRecord, NullWordAndForeignClassGiveNoShapeAndConsumeTheLine)
{
    std::istringstream is("COLLISION_BOX_NULL\r\nSomethingElseV0\r\nafter\r\n");
    EXPECT_EQ(ReadCollisionShape(is), nullptr);
    EXPECT_EQ(ReadCollisionShape(is), nullptr);
    std::string next;
    std::getline(is, next);
    EXPECT_EQ(next, "after\r");
}

TEST(CollisionShapeRecord, BadOrTruncatedRecordsGiveNoShape)
{
    std::istringstream truncated("CollisionBoxV0\r\n_CollisionBox_updatetag_1.1_\r\n0\r\n1\r\n2\r\n");
    EXPECT_EQ(ReadCollisionShape(truncated), nullptr);
    std::istringstream letters("CollisionBoxV0\r\n1\r\nabc\r\n3\r\n4\r\n");
    EXPECT_EQ(ReadCollisionShape(letters), nullptr);
    // A type that does not parse must not let the frame line be read as a corner.
    std::istringstream badType(
        "CollisionBoxV0\r\n_CollisionBox_updatetag_1.1_\r\nx\r\n_CollisionBox_updatetag_1.2_\r\n3\r\n0\r\n0\r\n8\r\n0\r\n");
    EXPECT_EQ(ReadCollisionShape(badType), nullptr);
    std::istringstream lineTruncated("CollisionLineV0\r\n0\r\n0\r\n5\r\n");
    EXPECT_EQ(ReadCollisionShape(lineTruncated), nullptr);
    std::istringstream empty("");
    EXPECT_EQ(ReadCollisionShape(empty), nullptr);
}

TEST(CollisionShapeRecord, SkippedShapeWritesNothing)
{
    CollisionBox<int> box(0, 1, 2, 0);
    box.SetSkipSerialize(true);
    EXPECT_EQ(Write(box), "");
}

TEST(CollisionShapeFactory, CreatesByClassNameAndClones)
{
    EXPECT_NE(dynamic_cast<CollisionBox<int>*>(CollisionShape<int>::CreateByClassName("CollisionBox").get()), nullptr);
    EXPECT_NE(dynamic_cast<CollisionLine<int>*>(CollisionShape<int>::CreateByClassName("CollisionLine").get()), nullptr);
    EXPECT_EQ(CollisionShape<int>::CreateByClassName("CollisionBoxV0"), nullptr);

    CollisionBox<int> box(1, 9, 5, 2, 3);
    box.SetFrame(4);
    auto copy = box.Clone();
    auto* c = dynamic_cast<CollisionBox<int>*>(copy.get());
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(Write(*c), Write(box));
}

// ------------------------------------------------------------ geometry

TEST(CollisionBoxGeometry, CornersCachesAndMovedRect)
{
    CollisionBox<int> box(0, 31, 31, 0);
    box.SetCornerX(2, 99); // neither corner: ignored
    box.SetCornerY(1, 4);
    EXPECT_EQ(box.GetRect(), Rect<int>(0, 31, 31, 4));
    EXPECT_EQ(box.GetOrigin(), Point<int>(0, 4));
    EXPECT_EQ(box.GetExactHalfSize(), Point<float>(15.5f, 13.5f));
    EXPECT_EQ(box.GetExactCentre(), Point<float>(15.5f, 17.5f));
    box.UpdateBounds(Point<float>(10.0f, 20.0f));
    EXPECT_EQ(box.GetHalfSize(), Point<float>(16.0f, 14.0f));
    EXPECT_EQ(box.GetCentre(), Point<float>(26.0f, 38.0f));

    // Position truncated toward zero, then the offset.
    EXPECT_EQ(CollisionBox<int>::GetMovedRect(&box, Point<float>(-1.7f, 2.9f), Point<int>(32, 0)),
        Rect<int>(31, 33, 62, 6));
    EXPECT_EQ(CollisionBox<int>::GetMovedRect(nullptr, Point<float>(5.0f, 5.0f), Point<int>(1, 1)), Rect<int>());
}

// ------------------------------------------------------------ overlap

TEST(CollisionBoxOverlap, AdjacentBoxesOverlapAndAGapSeparates)
{
    CollisionBox<int> a(0, 31, 31, 0);
    CollisionBox<int> b(32, 31, 63, 0);
    CollisionBox<int> c(33, 31, 64, 0);
    EXPECT_TRUE(a.Intersects(&b, 0, 0, 0, 0));
    EXPECT_FALSE(a.Intersects(&c, 0, 0, 0, 0));
    // Offsets move the boxes: c shifted one pixel left touches a again.
    EXPECT_TRUE(a.Intersects(&c, 0, 0, -1, 0));
    EXPECT_FALSE(a.Intersects(&b, 0, 0, 0, 33));

    CollisionLine<int> line(Point<int>(0, 0), Point<int>(40, 40));
    EXPECT_FALSE(a.Intersects(&line, 0, 0, 0, 0));
    EXPECT_FALSE(line.Intersects(&a, 0, 0, 0, 0));
}

// ------------------------------------------------------------ sweep

TEST(CollisionBoxSweep, MovingBoxStopsOnePixelShortOfTheStandingOne)
{
    CollisionBox<int> standing(0, 31, 31, 0);
    CollisionBox<int> moving(0, 31, 31, 0);
    Point<float> push(99.0f, 99.0f);
    // 10 pixels of gap between 0..31 and 42..73.
    EXPECT_TRUE(standing.Collide(&moving, -20.0f, 0.0f, 0, 0, 42, 0, &push));
    EXPECT_EQ(push, Point<float>(-9.0f, 0.0f));

    // The same vertically: falling 20 onto a box 10 pixels below.
    EXPECT_TRUE(standing.Collide(&moving, 0.0f, -20.0f, 0, 0, 0, 42, &push));
    EXPECT_EQ(push, Point<float>(0.0f, -9.0f));

    // A motion that stops before the gap closes does not hit; push untouched.
    push = Point<float>(7.0f, 7.0f);
    EXPECT_FALSE(standing.Collide(&moving, -5.0f, 0.0f, 0, 0, 42, 0, &push));
    EXPECT_EQ(push, Point<float>(7.0f, 7.0f));
}

TEST(CollisionBoxSweep, ParallelOnePixelApartDoesNotHit)
{
    CollisionBox<int> standing(0, 31, 31, 0);
    CollisionBox<int> moving(0, 31, 31, 0);
    Point<float> push(5.0f, 5.0f);
    // Above with one free pixel row (32), sliding right along the top edge.
    EXPECT_FALSE(standing.Collide(&moving, 20.0f, 0.0f, 0, 0, -10, 33, &push));
    EXPECT_EQ(push, Point<float>(5.0f, 5.0f));
}

TEST(CollisionBoxSweep, OverlappingBoxesHitWithoutMoving)
{
    CollisionBox<int> standing(0, 31, 31, 0);
    CollisionBox<int> moving(0, 15, 15, 0);
    Point<float> push(5.0f, 5.0f);
    EXPECT_TRUE(standing.Collide(&moving, 3.0f, 4.0f, 0, 0, 10, 10, &push));
    EXPECT_EQ(push, Point<float>(0.0f, 0.0f));
}

TEST(CollisionBoxSweep, ZeroMotionReportsOnlyWholePixelContact)
{
    CollisionBox<int> standing(0, 31, 31, 0);
    CollisionBox<int> moving(0, 31, 31, 0);
    Point<float> push(5.0f, 5.0f);
    EXPECT_FALSE(standing.Collide(&moving, 0.0f, 0.0f, 0, 0, 50, 0, &push));
    EXPECT_EQ(push, Point<float>(5.0f, 5.0f));
    CollisionLine<int> line;
    EXPECT_FALSE(standing.Collide(&line, 1.0f, 0.0f, 0, 0, 0, 0, &push));
}

} // namespace
