#include "scene/Camera.h"

#include "characters/CharacterObject.h"
#include "tests/scene/LevelFixture.h"

#include <gtest/gtest.h>

using namespace scenetest;

namespace {

class CameraMoves : public ::testing::Test, public GameLibrary {
protected:
    CameraMoves()
    {
        camera.SetLevel(&level);
        focus.SetSpeedValue(5.5f); // the player's walking speed
    }

    // Moves the focus by (dx, dy) and runs one frame of the camera.
    void Walk(float dx, float dy)
    {
        focus.SetPreviousPosition(focus.GetPosition());
        focus.SetPosition(focus.GetPosition() + Point<float>(dx, dy));
        Camera::UpdateTravel(camera, &focus, true);
    }

    Level level {"camera"};
    Camera camera;
    CharacterObject focus;
};

TEST_F(CameraMoves, TravelStepsFrameByFrameAndLandsOnItsTarget)
{
    EXPECT_FLOAT_EQ(Camera::StepFor(5.0f * 3.2f), 16.896f);
    struct Case {
        float distance;
        int frames;
    };
    // Five steps of 16.896 and a final snap within 5 pixels for 100.
    for (const Case c : {Case {3.0f, 1}, Case {100.0f, 6}, Case {16.0f, 1}, Case {40.0f, 3}}) {
        SCOPED_TRACE(c.distance);
        camera.Reset();
        camera.SetLevel(&level);
        camera.TravelTo(Point<float>(256.0f + c.distance, 224.0f - c.distance));
        std::vector<float> xs;
        int frames = 0;
        while ((camera.GetX() != c.distance || camera.GetY() != -c.distance) && frames < 50) {
            Camera::UpdateTravel(camera, &focus, true);
            xs.push_back(camera.GetX());
            ++frames;
        }
        EXPECT_EQ(frames, c.frames);
        for (size_t i = 0; i + 1 < xs.size(); ++i)
            EXPECT_FLOAT_EQ(xs[i], 16.896f * static_cast<float>(i + 1));
    }
    camera.StopTravel();
    EXPECT_FALSE(camera.IsTravelling());
}

TEST_F(CameraMoves, FollowLooksAheadAndEasesInByTheFollowWeight)
{
    focus.SetPosition(Point<float>(256, 100));
    // A still focus moves nothing.
    Walk(0, 0);
    EXPECT_EQ(camera.GetX(), 0.0f);
    EXPECT_EQ(camera.GetY(), 0.0f);

    // Walking right at speed 5.5: the weight grows by 0.2 a frame to 1, and
    // then the camera moves 16.896 x 0.6 a frame.
    float before = 0.0f;
    for (int frame = 1; frame <= 5; ++frame) {
        Walk(5.5f, 0);
        EXPECT_NEAR(camera.GetFollowLerp(), 0.2f * static_cast<float>(frame), 1e-5f);
        before = camera.GetX();
    }
    Walk(5.5f, 0);
    EXPECT_NEAR(camera.GetX() - before, 16.896f * 0.6f, 1e-3f);

    // Jumping, the weight grows by 0.1 only; turning back drops it to 0 first.
    Walk(-5.5f, 0);
    EXPECT_NEAR(camera.GetFollowLerp(), -0.2f, 1e-5f);
    focus.SetMoveState(4);
    Walk(-5.5f, 0);
    EXPECT_NEAR(camera.GetFollowLerp(), -0.3f, 1e-5f);
}

// A focus other than the player (a boss that took the camera) is followed at
// the player's pace and with the player's jump easing: a focus of speed 0
// still moves the view sideways.
TEST_F(CameraMoves, AnotherFocusIsFollowedAtThePlayersPace)
{
    CharacterObject hero;
    hero.SetSpeedValue(5.5f);
    hero.SetMoveState(4);
    game.player = &hero;
    focus.SetSpeedValue(0.0f);
    focus.SetPosition(Point<float>(256, 100));
    Walk(5.5f, 0);
    EXPECT_NEAR(camera.GetFollowLerp(), 0.1f, 1e-5f) << "the player jumps";
    for (int frame = 0; frame < 20; ++frame)
        Walk(5.5f, 0);
    EXPECT_GT(camera.GetX(), 50.0f);
    game.player = nullptr;
}

// Once the camera has caught up with a focus walking at a steady pace, the
// view's centre is 51 px ahead of it on the side it walks towards.
TEST_F(CameraMoves, FollowLeadsOnTheSideTheFocusWalksTowards)
{
    const struct {
        float step;
        float lead;
    } walks[] = {{5.5f, 51.0f}, {-5.5f, -51.0f}};
    for (const auto& walk : walks) {
        SCOPED_TRACE(walk.step);
        camera.Reset();
        camera.SetLevel(&level);
        focus.SetPosition(Point<float>(256, 100));
        for (int frame = 0; frame < 60; ++frame)
            Walk(walk.step, 0);
        const float viewCentre = camera.GetX() + static_cast<float>(camera.GetViewSize().x / 2);
        EXPECT_NEAR(viewCentre - focus.GetCenter().x, walk.lead, 1.0f);
    }
}

TEST_F(CameraMoves, BlockersHoldTheViewAtTheirSides)
{
    Layer* scene = level.CreateLayer(Level::kScene, "Garden", nullptr, 512, 448, 32, 32);
    scene->AddPlacedInstance(&leftStop, 1000, 100);
    scene->AddPlacedInstance(&rightStop, 1500, 100);
    scene->AddPlacedInstance(&tree, 0, 0); // the layer's bounds start at 0

    // Snapping (level change) with the focus at the left blocker: nothing
    // left of x = 1000 is shown.
    camera.SetPosition(900, 0);
    focus.SetPosition(Point<float>(1010, 120));
    Camera::UpdateTravel(camera, &focus, false);
    EXPECT_EQ(camera.GetX(), 1000.0f);
    EXPECT_EQ(camera.GetTarget(), Point<float>(1000, 0));

    // Near the right blocker the view's right edge stops at 1531.
    camera.SetPosition(1100, 0);
    focus.SetPosition(Point<float>(1490, 120));
    Camera::UpdateTravel(camera, &focus, false);
    EXPECT_EQ(camera.GetX() + 511.0f, 1531.0f);

    // A blocker out of the view holds nothing.
    camera.SetPosition(0, 0);
    focus.SetPosition(Point<float>(300, 120));
    Camera::UpdateTravel(camera, &focus, false);
    EXPECT_EQ(camera.GetX(), 0.0f);
}

} // namespace
