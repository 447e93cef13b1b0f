#include "scene/CollisionShape.h"

#include "tests/scene/RecordText.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

namespace {

// ------------------------------------------------------------ records

TEST(CollisionShapeRecord, BoxAndLineRoundTripByteForByte)
{
    auto box = std::make_unique<CollisionBox<int>>(-3, 40, 27, 8, 5);
    box->SetFrame(2);
    auto line = std::make_unique<CollisionLine<int>>(Point<int>(0, 10), Point<int>(64, -6), 1);
    line->SetFrame(7);
    const std::pair<CollisionShape<int>*, const char*> cases[] = {
        {box.get(),
            "CollisionBoxV0\r\n_CollisionBox_updatetag_1.1_\r\n5\r\n_CollisionBox_updatetag_1.2_\r\n2\r\n"
            "-3\r\n40\r\n27\r\n8\r\n"},
        {line.get(), "CollisionLineV0\r\n_CollisionLine_updatetag_1.0_\r\n7\r\n0\r\n10\r\n64\r\n-6\r\n1\r\n"},
    };
    for (const auto& [shape, text] : cases) {
        EXPECT_EQ(Write(*shape), text);
        std::istringstream is(text);
        std::unique_ptr<CollisionShape<int>> read = ReadCollisionShape(is);
        ASSERT_NE(read, nullptr) << text;
        EXPECT_EQ(Write(*read), text);
    }
}

TEST(CollisionShapeRecord, OlderRecordsWithoutTagsReadWithDefaults)
{
    // LF-only line ends are accepted too; the reader stops right after the
    // last field, so the following line is still there.
    std::istringstream is("CollisionBoxV0\n1\n31\n33\n0\nNEXT\nCollisionLineV0\n1\n2\n3\n4\n9\n");
    auto box = ReadCollisionShape(is);
    ASSERT_NE(box, nullptr);
    CollisionBox<int> expectedBox(1, 31, 33, 0); // type 0, every frame
    EXPECT_EQ(Write(*box), Write(expectedBox));
    EXPECT_EQ(NextLine(is), "NEXT");

    auto line = ReadCollisionShape(is);
    ASSERT_NE(line, nullptr);
    CollisionLine<int> expectedLine(Point<int>(1, 2), Point<int>(3, 4), 9);
    EXPECT_EQ(Write(*line), Write(expectedLine));
}

TEST(CollisionShapeRecord, NullWordAndForeignClassGiveNoShapeAndConsumeTheLine)
{
    std::istringstream is("COLLISION_BOX_NULL\r\nSomethingElseV0\r\nafter\r\n");
    EXPECT_EQ(ReadCollisionShape(is), nullptr);
    EXPECT_EQ(ReadCollisionShape(is), nullptr);
    EXPECT_EQ(NextLine(is), "after");
}

TEST(CollisionShapeRecord, BadOrTruncatedRecordsGiveNoShape)
{
    {
        // A type that does not parse keeps 0 and leaves the frame unread
        // (its tag is taken): the next four lines are the corners.
        std::istringstream is(
            "CollisionBoxV0\r\n_CollisionBox_updatetag_1.1_\r\nx\r\n_CollisionBox_updatetag_1.2_"
            "\r\n3\r\n0\r\n0\r\n8\r\n");
        auto box = ReadCollisionShape(is);
        ASSERT_NE(box, nullptr);
        CollisionBox<int> expected(3, 0, 0, 8);
        EXPECT_EQ(Write(*box), Write(expected));
    }
    for (const char* record : {
             "CollisionBoxV0\r\n_CollisionBox_updatetag_1.1_\r\n0\r\n1\r\n2\r\n",
             "CollisionBoxV0\r\n1\r\nabc\r\n3\r\n4\r\n",
             "CollisionLineV0\r\n0\r\n0\r\n5\r\n",
             "",
         }) {
        std::istringstream is(record);
        EXPECT_EQ(ReadCollisionShape(is), nullptr) << record;
    }
}

// ------------------------------------------------------------ geometry

TEST(CollisionBoxGeometry, MovedRectTruncatesThePositionTowardZero)
{
    const CollisionBox<int> box(0, 31, 31, 4);
    EXPECT_EQ(CollisionBox<int>::GetMovedRect(&box, Point<float>(-1.7f, 2.9f), Point<int>(32, 0)),
        Rect<int>(31, 33, 62, 6));
    EXPECT_EQ(
        CollisionBox<int>::GetMovedRect(nullptr, Point<float>(5.0f, 5.0f), Point<int>(1, 1)), Rect<int>());
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
    // The standing box covers 0..31 x 0..31; the moving one is placed at
    // (x, y) and moves by (dx, dy).
    const struct {
        const char* what;
        CollisionBox<int> moving;
        float x, y, dx, dy;
        bool hit;
        Point<float> push; // (7, 7): left untouched
    } cases[] = {
        {"10 pixels right, moving left 20", {0, 31, 31, 0}, 42, 0, -20, 0, true, {-9, 0}},
        {"10 pixels above, falling 20", {0, 31, 31, 0}, 0, 42, 0, -20, true, {0, -9}},
        {"stopping before the gap closes", {0, 31, 31, 0}, 42, 0, -5, 0, false, {7, 7}},
        {"sliding one free pixel row above", {0, 31, 31, 0}, -10, 33, 20, 0, false, {7, 7}},
        {"overlapping already", {0, 15, 15, 0}, 10, 10, 3, 4, true, {0, 0}},
        {"standing apart", {0, 31, 31, 0}, 50, 0, 0, 0, false, {7, 7}},
    };
    CollisionBox<int> standing(0, 31, 31, 0);
    for (auto c : cases) {
        Point<float> push(7.0f, 7.0f);
        EXPECT_EQ(standing.Collide(&c.moving, c.dx, c.dy, 0, 0, c.x, c.y, &push), c.hit) << c.what;
        EXPECT_EQ(push, c.push) << c.what;
    }
    CollisionLine<int> line;
    Point<float> push;
    EXPECT_FALSE(standing.Collide(&line, 1.0f, 0.0f, 0, 0, 0, 0, &push));
}

} // namespace
