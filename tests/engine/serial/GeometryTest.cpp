#include "engine/serial/Point.h"
#include "engine/serial/Rect.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

TEST(PointTest, FloatToIntTruncatesTowardZero)
{
    EXPECT_EQ(Point<float>(-1.7f, 2.9f).ToInt(), Point<int>(-1, 2));
    EXPECT_EQ(Point<int>(3, -3) * 0.5f, Point<int>(1, -1));
    EXPECT_EQ(Point<int>(-5, 5) * 0.3f, Point<int>(-1, 1));
    EXPECT_EQ(Point<float>(3.0f, 4.0f).Length(), 5.0f);
}

TEST(PointTest, FloatToIntSaturatesInsteadOfOverflowing)
{
    const float inf = std::numeric_limits<float>::infinity();
    const int max = std::numeric_limits<int>::max();
    const int min = std::numeric_limits<int>::min();
    const std::pair<float, int> cases[] = {
        {3.4e38f, max},
        {-3.4e38f, min},
        {inf, max},
        {-inf, min},
        {std::numeric_limits<float>::quiet_NaN(), 0},
        {2147483648.0f, max},
        {-2147483648.0f, min},
        {2147483520.0f, 2147483520}, // the largest float below 2^31 stays exact
        {-7.9f, -7},
    };
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(SaturateToInt(value), expected) << value;
        EXPECT_EQ(Point<float>(value, -value).ToInt().x, expected) << value;
    }
    EXPECT_EQ((Point<int>(max, min) * 2.0f), Point<int>(max, min));
    EXPECT_EQ(SaturatingAdd(max, 1), max);
    EXPECT_EQ(SaturatingAdd(min, -1), min);
    EXPECT_EQ(SaturatingSub(min, 1), min);
    EXPECT_EQ(SaturatingSub(0, min), max);
    EXPECT_EQ(SaturatingSub(5, 7), -2);
}

TEST(PointTest, NormalizeOnlyShortensWhenKeepingShort)
{
    Point<float> shortLong(0.3f, 0.4f);
    shortLong.Normalize(false);
    EXPECT_FLOAT_EQ(shortLong.x, 0.6f);
    EXPECT_FLOAT_EQ(shortLong.y, 0.8f);

    Point<float> shortKept(0.3f, 0.4f);
    shortKept.Normalize(true);
    EXPECT_EQ(shortKept, Point<float>(0.3f, 0.4f));

    for (bool keepShort : {false, true}) {
        Point<float> longOne(3.0f, 4.0f);
        longOne.Normalize(keepShort);
        EXPECT_FLOAT_EQ(longOne.x, 0.6f);
        EXPECT_FLOAT_EQ(longOne.y, 0.8f);
        Point<float> zero;
        zero.Normalize(keepShort);
        EXPECT_EQ(zero, Point<float>(0.0f, 0.0f));
    }
}

TEST(RectIntTest, NormalFormAndDelta)
{
    const Rect<int> r(10, 0, 0, 10);
    EXPECT_EQ(r.Normalized(), Rect<int>(0, 10, 10, 0));
    EXPECT_EQ(Rect<int>(0, 10, 10, 0).GetDelta(), Point<int>(10, -10));
    EXPECT_EQ(Rect<float>(0, 10, 10, 0).GetSize(), Point<float>(10.0f, 10.0f));
    EXPECT_EQ(Rect<float>(0, 10, 10, 0).GetCenter(), Point<float>(5.0f, 5.0f));

    Rect<int> moved(Point<int>(0, 10), Point<int>(10, 0));
    moved.Offset({2, -3});
    EXPECT_EQ(moved.GetFirstCorner(), Point<int>(2, 7));
    EXPECT_EQ(moved.GetSecondCorner(), Point<int>(12, -3));
}

TEST(RectIntTest, ContainsIsInclusiveOnEveryEdge)
{
    const Rect<int> r(0, 10, 10, 0);
    for (int x : {0, 5, 10})
        for (int y : {0, 5, 10})
            EXPECT_TRUE(r.Contains({x, y}, false)) << x << ", " << y;
    for (const Point<int> outside :
        {Point<int>(-1, 5), Point<int>(11, 5), Point<int>(5, -1), Point<int>(5, 11)})
        EXPECT_FALSE(r.Contains(outside, false)) << outside.x << ", " << outside.y;

    // Not in normal form: nothing inside unless normalised first.
    const Rect<int> flipped(10, 0, 0, 10);
    EXPECT_FALSE(flipped.Contains({5, 5}, false));
    EXPECT_TRUE(flipped.Contains({5, 5}, true));
    EXPECT_TRUE(flipped.Contains({10, 10}, true));
    // A degenerate rectangle holds its one point.
    EXPECT_TRUE(Rect<int>(3, 3, 3, 3).Contains({3, 3}, false));
}

TEST(RectFloatTest, IntersectsCountsTouchingEdges)
{
    const Rect<float> a(0, 10, 10, 0);
    EXPECT_TRUE(a.Intersects(Rect<float>(10, 10, 20, 0))); // shares the right edge
    EXPECT_TRUE(a.Intersects(Rect<float>(0, 20, 10, 10))); // shares the top edge
    EXPECT_TRUE(a.Intersects(Rect<float>(10, 5, 12, 3)));  // small one on the edge
    EXPECT_TRUE(a.Intersects(Rect<float>(2, 8, 4, 6)));    // inside
    EXPECT_TRUE(Rect<float>(2, 8, 4, 6).Intersects(a));
    EXPECT_FALSE(a.Intersects(Rect<float>(10.5f, 10, 20, 0)));
    EXPECT_FALSE(a.Intersects(Rect<float>(10.001f, 10, 20, 0)));
    EXPECT_FALSE(a.Intersects(Rect<float>(0, -0.25f, 10, -5)));
    EXPECT_FALSE(a.Intersects(Rect<float>(-6, 5, -1, 4)));
}

TEST(RectFloatTest, ContainsAndCornerOverlap)
{
    const Rect<float> r(10, 0, 0, 10); // not in normal form
    EXPECT_EQ(Rect<float>::Normalize(r), Rect<float>(0, 10, 10, 0));
    EXPECT_TRUE(Rect<float>::Contains(r, {0.0f, 0.0f}));
    EXPECT_TRUE(Rect<float>::Contains(r, {10.0f, 10.0f}));
    EXPECT_FALSE(Rect<float>::Contains(r, {10.01f, 5.0f}));

    // Touching at a corner overlaps; a plus-sign cross holds no corner.
    EXPECT_TRUE(Rect<float>::Overlaps(Rect<float>(0, 10, 10, 0), Rect<float>(10, 20, 20, 10)));
    EXPECT_FALSE(Rect<float>::Overlaps(Rect<float>(4, 20, 6, -10), Rect<float>(-10, 6, 20, 4)));
    EXPECT_TRUE(Rect<float>(4, 20, 6, -10).Intersects(Rect<float>(-10, 6, 20, 4)));
    EXPECT_TRUE(Rect<float>::Overlaps(Rect<float>(0, 10, 10, 0), Rect<float>(2, 8, 4, 6)));
    EXPECT_FALSE(Rect<float>::Overlaps(Rect<float>(0, 10, 10, 0), Rect<float>(11, 8, 14, 6)));
}
