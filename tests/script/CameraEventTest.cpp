#include "characters/Player.h"
#include "scene/Camera.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/SpacialInstance.h"
#include "script/BGEvent_ChangeCameraTo.h"
#include "tests/script/ScriptFixture.h"
#include "zones/Point_PlayerStart.h"
#include "zones/ZoneHolder.h"

#include <gtest/gtest.h>

namespace {

using CameraEvent = ScriptFixture;

TEST_F(CameraEvent, FinishesWhenTheCameraPassesOrReachesTheTargetOrStands)
{
    struct Case {
        const char* what;
        Point<float> from, to;
        Point<int> target;
        bool finished;
    };
    const Case cases[] = {
        {"standing still", {5, 5}, {5, 5}, {300, 300}, true},
        {"on the way", {0, 0}, {10, 10}, {100, 50}, false},
        {"passing over", {90, 40}, {110, 60}, {100, 50}, true},
        {"target on the previous position", {100, 50}, {104, 50}, {100, 50}, true},
        {"target on the new position", {96, 46}, {100, 50}, {100, 50}, true},
        {"moving away backwards", {110, 60}, {100, 55}, {100, 50}, false},
    };
    for (const Case& c : cases) {
        game.GetCamera().SetPosition(c.from.x, c.from.y);
        BGEvent_ChangeCameraTo event("c", false, c.target.x, c.target.y);
        event.Run();
        game.GetCamera().SetPosition(c.to.x, c.to.y);
        event.Update();
        EXPECT_EQ(event.IsFinished(), c.finished) << c.what;
    }
}

TEST_F(CameraEvent, ArrivalEndsTheTravelOnlyWhenAsked)
{
    for (bool stop : {true, false}) {
        Camera& camera = game.GetCamera();
        camera.SetPosition(0.0f, 0.0f);
        camera.TravelTo(Point<float>(256.0f, 224.0f));
        camera.SetTravelSpeed(9.0f);
        BGEvent_ChangeCameraTo event("c", stop, 0, 0);
        event.Run();
        event.Update();
        ASSERT_TRUE(event.IsFinished());
        EXPECT_EQ(camera.IsTravelling(), !stop);
        EXPECT_EQ(camera.GetTravelSpeed(), stop ? 5.0f : 9.0f);
    }
}

TEST_F(CameraEvent, TravelToThePlayerSnapsWithinOneStepAndStops)
{
    game.SetPlayer(std::make_unique<Player>("Player"));
    Player* player = game.GetPlayer();
    player->SetPosition(Point<float>(1000.0f, 600.0f));
    player->SetSize(32, 48);
    Script& script = Make("waitEvent_ChangeCameraTargetToPlayer 4;Record arrived");
    script.Run();
    Camera& camera = game.GetCamera();
    EXPECT_TRUE(camera.IsTravelling());
    EXPECT_EQ(camera.GetTarget(), Point<float>(1016.0f - 256.0f, 624.0f - 224.0f));
    EXPECT_EQ(camera.GetSpeed(), 1.0f);
    EXPECT_EQ(camera.GetTravelSpeed(), 4.0f);
    int frames = 0;
    while (record.empty() && frames < 500) {
        for (size_t i = 0; i < level.GetBackgroundEventCount(); ++i)
            level.GetBackgroundEvent(i)->Run();
        Camera::UpdateTravel(camera, player, true);
        for (size_t i = 0; i < level.GetBackgroundEventCount(); ++i)
            level.GetBackgroundEvent(i)->Update();
        level.PurgeBackgroundEvents();
        script.Run();
        ++frames;
    }
    EXPECT_EQ(record, (std::vector<std::string> {"Test: arrived"}));
    // 760 pixels at 4 x 32 x 33 x 0.001 = 4.224 a frame: 180 steps, and the
    // snap onto the target.
    EXPECT_NEAR(frames, 181, 2);
    EXPECT_FALSE(camera.IsTravelling());
    EXPECT_EQ(camera.GetX(), 760.0f);
}

TEST_F(CameraEvent, ALocatorIsSearchedInTheTriggersLevel)
{
    // Without a trigger, or with a locator nowhere, the command fails.
    RunToEnd(Make("Event_ChangeCameraTargetToLocator cam_gate 3"));
    EXPECT_EQ(ErrorCount(), 1);
    Level::Instance owner;
    owner.SetLevel(&level);
    Script& script = Make("Event_ChangeCameraTargetToLocator cam_gate 3");
    script.SetOwnerInstance(&owner);
    RunToEnd(script);
    EXPECT_EQ(ErrorCount(), 2);
    EXPECT_FALSE(game.GetCamera().IsTravelling());
}

// The camera looks at the centre of a zone locator, and at a point locator's
// own position (a point has no size, whatever its type's picture).
TEST_F(CameraEvent, ALocatorZoneIsLookedAtByItsCentreAPointByItsPosition)
{
    Layer* scene = level.CreateLayer(Level::kScene, "Scene Layer 00", nullptr, 2048, 1024, 32, 32);
    ZoneHolder zoneType("ZoneHolder");
    Point_PlayerStart pointType("Point_PlayerStart");
    pointType.SetSize(64, 64, true);
    auto* zone = new ZoneHolder::Instance();
    zone->SetName("cam_zone");
    zone->SetSize(Point<int>(96, 32));
    scene->AddPlacedInstance(&zoneType, 600.0f, 400.0f)
        ->SetPayload(std::unique_ptr<SceneObjectInstance>(zone));
    auto* point = new Point_PlayerStart::Instance();
    point->SetName("cam_point");
    scene->AddPlacedInstance(&pointType, 800.0f, 300.0f)
        ->SetPayload(std::unique_ptr<SceneObjectInstance>(point));
    Level::Instance owner;
    owner.SetLevel(&level);
    const std::pair<std::string, Point<float>> cases[] = {
        {"cam_zone", {600.0f + 48.0f - 256.0f, 400.0f + 16.0f - 224.0f}},
        {"cam_point", {800.0f - 256.0f, 300.0f - 224.0f}},
    };
    for (const auto& [locator, target] : cases) {
        Script& script = Make("Event_ChangeCameraTargetToLocator " + locator + " 3");
        script.SetOwnerInstance(&owner);
        script.Run();
        EXPECT_EQ(game.GetCamera().GetTarget(), target) << locator;
    }
    EXPECT_EQ(ErrorCount(), 0);
}

} // namespace
