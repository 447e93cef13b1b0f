#include "characters/Firefly.h"

#include "scene/GraphicalObject.h"
#include "tests/characters/ArmorTestHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using armortest::TestPlayer;

namespace {

// A firefly of 8 x 8 pixels over a player at (1000, 200), drawing its
// random numbers from a counter.
class FireflyMotion : public ::testing::Test {
protected:
    FireflyMotion()
    {
        player.position = Point<float>(1000, 200);
        idle.SetSize(8, 8, true);
        hasTarget.SetSize(8, 8, true);
        fly.SetGraphicals(&idle, &hasTarget);
    }

    // A free firefly seeking a target that lies `distance` pixels to its right.
    void SeekAt(float distance)
    {
        fly.SetTargetBox(Rect<int>(0, 2000, 3000, 0));
        fly.SetPosition(Point<float>(100, 100));
        fly.SetTargetPoint(Point<int>(100 + static_cast<int>(distance), 100));
        fly.SetFrameCounter(10);
        // Detached by a first pick, then back on the point under test.
        fly.SetFrameCounter(0);
        fly.Update(16.0);
        fly.SetPosition(Point<float>(100, 100));
        fly.SetTargetPoint(Point<int>(100 + static_cast<int>(distance), 100));
        fly.SetFrameCounter(10);
    }

    TestPlayer player;
    uint32_t next = 0;
    GraphicalObject idle {"Firefly_Idle"};
    GraphicalObject hasTarget {"Firefly_HasTarget"};
    Firefly fly {"Firefly01", &player, [this] { return next++ * 7919u; }};
};

TEST_F(FireflyMotion, SeekingSpeedGrowsWithTheDistanceBetweenItsLimits)
{
    struct Case {
        float distance;
        float speed;
    };
    const Case cases[] = {{100.0f, 3.5625f}, {1000.0f, 17.625f}, {1152.0f, 20.0f}, {3000.0f, 20.0f},
        {64.0f, 3.0f}, {40.0f, 2.0f}};
    for (const Case& c : cases) {
        SeekAt(c.distance);
        ASSERT_FALSE(fly.IsAttached());
        fly.Update(16.0);
        EXPECT_FLOAT_EQ(fly.GetFlightSpeed(), c.speed) << c.distance;
    }
}

TEST_F(FireflyMotion, AnAttachedFireflyTooFarFromItsPointSnapsBackOverThePlayer)
{
    fly.SetPosition(Point<float>(10, 10));
    fly.SetTargetPoint(Point<int>(5000, 10));
    fly.SetDirection(Point<float>(0, 1));
    fly.SetFrameCounter(10);
    fly.Update(16.0);
    EXPECT_TRUE(fly.IsAttached());
    EXPECT_EQ(fly.GetTargetPoint(), Point<int>(32, 64));
    // It steers with the way to the point it had, (1, 0): (0, 1) + 0.2 (1, 0)
    // normalised, and flies on in the same frame: one step of 2 * 32 * 0.016 px.
    const float norm = std::sqrt(1.04f);
    EXPECT_NEAR(fly.GetDirection().x, 0.2f / norm, 1e-6f);
    EXPECT_NEAR(fly.GetDirection().y, 1.0f / norm, 1e-6f);
    EXPECT_NEAR(fly.GetPosition().x, 32.0f + 1.024f * 0.2f / norm, 1e-4f);
    EXPECT_NEAR(fly.GetPosition().y, 64.0f + 1.024f / norm, 1e-4f);
    EXPECT_EQ(fly.GetFlightSpeed(), 2.0f);
    EXPECT_EQ(fly.GetFrameCounter(), 0);
}

TEST_F(FireflyMotion, ATargetDetachesItPlaysTheTargetAnimationAndTheSoundOnce)
{
    fly.SetPosition(Point<float>(20, 40));
    fly.SetTargetBox(Rect<int>(1500, 400, 1600, 300));
    fly.SetFrameCounter(1);
    fly.Update(16.0);
    EXPECT_FALSE(fly.IsAttached());
    // Now in level coordinates, and on its way (at most one step of 20 units).
    EXPECT_NEAR(fly.GetPosition().x, 1020.0f, 10.25f);
    EXPECT_NEAR(fly.GetPosition().y, 240.0f, 10.25f);
    EXPECT_EQ(fly.GetCurrentGraphical(), &idle); // the animation had no frames: ended at once
    EXPECT_EQ(player.Count(kSoundFireFliesHaveTarget), 1);
    const Point<int> target = fly.GetTargetPoint();
    EXPECT_GE(target.x, 1500 - 4);
    EXPECT_LE(target.x, 1600 + 4);
    EXPECT_GE(target.y, 300 - 4);
    EXPECT_LE(target.y, 400 + 4);
    for (int i = 0; i < 200; ++i)
        fly.Update(16.0);
    EXPECT_EQ(player.Count(kSoundFireFliesHaveTarget), 1);
    EXPECT_FALSE(fly.IsAttached());
}

TEST_F(FireflyMotion, WithoutATargetItHoversInTheBoxOverThePlayer)
{
    for (int frame = 0; frame < 300; ++frame) {
        fly.Update(16.0);
        ASSERT_TRUE(fly.IsAttached());
        const Point<int> p = fly.GetTargetPoint();
        ASSERT_GE(p.x, -4);
        ASSERT_LE(p.x, 68);
        ASSERT_GE(p.y, 28);
        ASSERT_LE(p.y, 96);
        ASSERT_LE(fly.GetFrameCounter(), Firefly::kWanderFrames);
    }
}

TEST(FireflyPick, DegenerateBoxesAndHugeNumbersStayInsideTheWidenedBox)
{
    struct Case {
        Rect<int> box;
        Point<int> size;
    };
    const Case cases[] = {
        {Rect<int>(0, 92, 64, 32), {8, 8}},
        {Rect<int>(10, 10, 10, 10), {0, 0}}, // a point, no size: modulus 1
        {Rect<int>(50, 0, 10, 40), {0, 0}},  // reversed: modulus clamped to 1
        {Rect<int>(-3000, 5, -2990, -5), {16, 16}},
    };
    const uint32_t numbers[] = {0u, 1u, 12345u, std::numeric_limits<uint32_t>::max()};
    for (const Case& c : cases) {
        for (uint32_t r : numbers) {
            const Point<int> p = Firefly::PickPoint(c.box, c.size, r, r);
            const int right = std::max(c.box.x0, c.box.x1) + c.size.x;
            const int top = std::max(c.box.y0, c.box.y1) + c.size.y;
            EXPECT_GE(p.x, c.box.x0 - c.size.x) << r;
            EXPECT_LE(p.x, right) << r;
            EXPECT_GE(p.y, c.box.y1 - c.size.y) << r;
            EXPECT_LE(p.y, top) << r;
        }
    }
}

} // namespace
