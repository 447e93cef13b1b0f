#include "characters/LocalParticleSystem.h"
#include "characters/Player.h"
#include "engine/render/GE_Fade.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/SpacialInstance.h"
#include "scene/Sprite.h"
#include "script/BGEvent_PickupCinematic.h"
#include "tests/script/ScriptFixture.h"

#include <gtest/gtest.h>

namespace {

class PickupCinematic : public ScriptFixture {
protected:
    void SetUp() override
    {
        ScriptFixture::SetUp();
        front = level.CreateLayer(Level::kScene, "Scene Layer 00", nullptr, 512, 448, 64, 64);
        back = level.CreateLayer(Level::kScene, "Collisions", nullptr, 512, 448, 64, 64);
        game.SetPlayer(std::make_unique<Player>("Player"));
        game.GetPlayer()->SetPosition(Point<float>(200.0f, 100.0f));
        game.GetPlayer()->SetSize(32, 48);
        pickup.AddSpriteInstance(&frame, 0, 0);
        crossbow.AddSpriteInstance(&frame, 0, 0);
        crossbow.SetSize(20, 10, true);
    }

    // Runs until finished; the frame count, -1 past the limit. Checks the
    // overlay on every frame.
    int FramesToFinish(BGEvent_PickupCinematic& event, int limit = 1000)
    {
        for (int frame = 1; frame <= limit; ++frame) {
            event.Run();
            EXPECT_LE(event.GetOverlayAlpha(), 127);
            EXPECT_GE(event.GetOverlayAlpha(), 0);
            if (event.IsFinished())
                return frame;
        }
        return -1;
    }

    Layer* front = nullptr;
    Layer* back = nullptr;
    Sprite frame {"f", "f.png", 0, 0, 15, 15};
    GraphicalObject pickup {"Pickup_Anim"};
    GraphicalObject crossbow {"Crossbow"};
    GraphicalObject crossbow2 {"Crossbow2"};
    LocalParticleSystem burst;
};

TEST_F(PickupCinematic, EachKindDarkensShowsAndBrightensOnTime)
{
    const std::pair<int, int> cases[] = {
        {1, 60 + 15 + 1 + 60}, // placed at 60, burst 15 later, gone when the animation has ended
        {2, 60 + 10 + 1 + 60}, {3, 60 + 30 + 48 + 15 + 60 + 48 + 60}, {6, 60 + 1 + 60}, {4, 60 + 1 + 60},
        {5, 60 + 1 + 60}, // the interface's kinds brighten at once
        {7, -1},          // any other kind stays darkened
    };
    for (const auto& [kind, frames] : cases) {
        game.pickupCinematicKind = kind;
        BGEvent_PickupCinematic event("p", &pickup, &pickup, nullptr, 0, 0);
        EXPECT_EQ(FramesToFinish(event), frames) << kind;
        EXPECT_EQ(event.GetFade(), frames < 0 ? 59 : 0) << kind;
    }
    game.pickupCinematicKind = 0;
    BGEvent_PickupCinematic inert("p", &pickup, &pickup, nullptr, 0, 0);
    EXPECT_EQ(FramesToFinish(inert, 500), -1);
}

TEST_F(PickupCinematic, TheOverlayPeaksAtHalfOpacity)
{
    game.pickupCinematicKind = 6;
    BGEvent_PickupCinematic event("p", nullptr, nullptr, nullptr, 0, 0);
    int peak = 0;
    for (int frame = 0; frame < 200 && !event.IsFinished(); ++frame) {
        event.Run();
        peak = std::max(peak, event.GetOverlayAlpha());
    }
    EXPECT_EQ(peak, 125); // fade 59 of 60: 59 / 60 x 127.5
}

TEST_F(PickupCinematic, ThePickupAnimationStandsAtThePlayerUntilItEnds)
{
    game.pickupCinematicKind = 1;
    BGEvent_PickupCinematic event("p", &pickup, &crossbow, nullptr, 0, 0);
    for (int frame = 0; frame < 60; ++frame)
        event.Run();
    ASSERT_NE(event.GetInstance(), nullptr);
    EXPECT_EQ(event.GetInstance()->GetPrototype(), &pickup); // facing left
    EXPECT_EQ(event.GetInstance()->GetPosition(), Point<float>(200.0f, 100.0f));
    EXPECT_EQ(back->GetAddedInstanceCount(), 1u);
    for (int frame = 0; frame < 15; ++frame)
        event.Run();
    EXPECT_EQ(event.GetBurstCount(), 1);
    event.Run();
    EXPECT_EQ(back->GetAddedInstanceCount(), 0u);
}

// The crossbow scene shows the crossbow of the player's rank, and the next
// rank's once it has changed under the burst; a rank without graphics shows
// none, and a scene without a burst keeps the old crossbow.
TEST_F(PickupCinematic, TheCrossbowSceneShowsThePlayersRankAndTheNext)
{
    GraphicalObject rank1 {"Projectile_Crossbow_GraphicalIdleL"};
    GraphicalObject rank2 {"Projectile_CrossbowR2_GraphicalIdleL"};
    GraphicalObject rank3 {"Projectile_CrossbowR3_GraphicalIdleL"};
    for (GraphicalObject* object : {&rank1, &rank2, &rank3}) {
        object->AddSpriteInstance(&frame, 0, 0);
        game.nameMap[object->GetName()] = object;
    }
    const struct {
        int rank;
        GraphicalObject* before;
        GraphicalObject* after;
        LocalParticleSystem* burst;
    } cases[] = {{1, &rank1, &rank1, &burst}, {2, &rank1, &rank2, &burst}, {3, &rank2, &rank3, &burst},
        {0, nullptr, nullptr, &burst}, {2, &rank1, &rank1, nullptr}};
    auto shown = [](const BGEvent_PickupCinematic& event) {
        return event.GetInstance() != nullptr ? event.GetInstance()->GetPrototype() : nullptr;
    };
    for (const auto& c : cases) {
        game.GetPlayer()->crossbowLevel = c.rank;
        game.pickupCinematicKind = 3;
        BGEvent_PickupCinematic event("p", nullptr, nullptr, c.burst, 0, 0);
        for (int frame = 0; frame < 60; ++frame)
            event.Run();
        EXPECT_EQ(shown(event), c.before) << c.rank;
        for (int frame = 0; frame < 30 + 48 + 15; ++frame)
            event.Run();
        EXPECT_EQ(shown(event), c.after) << c.rank << (c.burst != nullptr ? "" : " without a burst");
    }
    game.nameMap.clear();
}

TEST_F(PickupCinematic, TheCrossbowRisesChangesFadesAndSinks)
{
    crossbow.SetName("Projectile_Crossbow_GraphicalIdleL");
    crossbow2.SetName("Projectile_CrossbowR2_GraphicalIdleL");
    game.nameMap[crossbow.GetName()] = &crossbow;
    game.nameMap[crossbow2.GetName()] = &crossbow2;
    game.GetPlayer()->crossbowLevel = 2;
    game.pickupCinematicKind = 3;
    BGEvent_PickupCinematic event("p", nullptr, nullptr, &burst, 0, 0);
    game.nameMap.clear();
    for (int frame = 0; frame < 60; ++frame)
        event.Run();
    ASSERT_NE(event.GetInstance(), nullptr);
    // Centred on the player's centre (216, 124).
    EXPECT_EQ(event.GetInstance()->GetPosition(), Point<float>(206.0f, 119.0f));
    for (int frame = 0; frame < 30 + 48; ++frame)
        event.Run();
    EXPECT_EQ(event.GetInstance()->GetPosition().y, 119.0f + 96.0f);
    for (int frame = 0; frame < 15; ++frame)
        event.Run();
    EXPECT_EQ(event.GetInstance()->GetPrototype(), &crossbow2);
    for (int frame = 0; frame < 60; ++frame)
        event.Run();
    ASSERT_NE(dynamic_cast<GE_Fade*>(event.GetInstance()->GetEffect()), nullptr);
    for (int frame = 0; frame < 47; ++frame)
        event.Run();
    EXPECT_EQ(event.GetInstance()->GetPosition().y, 119.0f + 96.0f - 94.0f);
    event.Run();
    EXPECT_EQ(event.GetInstance(), nullptr);
    EXPECT_EQ(front->GetAddedInstanceCount(), 0u);
    EXPECT_EQ(event.GetPhase(), 3);
}

TEST_F(PickupCinematic, TheCommandQueuesTheCutSceneByMode)
{
    game.nameMap["Pickup_Anim"] = &pickup;
    Script& script = Make("waitEvent_RunPickupCinematic 2 Pickup_Anim Pickup_Anim;Record done;"
                          "Event_RunPickupCinematic 9;Event_RunPickupCinematic 5 Pickup_Anim");
    const int frames = RunToEnd(script);
    game.nameMap.clear();
    EXPECT_EQ(frames, 60 + 10 + 1 + 60 + 1);
    EXPECT_EQ(record, (std::vector<std::string> {"Test: done"}));
    EXPECT_EQ(ErrorCount(), 0);

    // The event plays the game's kind: set back to 0, it does nothing.
    Script& reset = Make("Event_RunPickupCinematic 2 Pickup_Anim Pickup_Anim;Event_RunPickupCinematic 0");
    for (int frame = 0; frame < 61; ++frame)
        Frame(&reset);
    BGEvent_PickupCinematic* cutScene = nullptr;
    for (size_t i = 0; i < level.GetBackgroundEventCount(); ++i)
        if (auto* event = dynamic_cast<BGEvent_PickupCinematic*>(level.GetBackgroundEvent(i)))
            cutScene = event;
    ASSERT_NE(cutScene, nullptr);
    EXPECT_EQ(cutScene->GetPhase(), 0);
    EXPECT_EQ(cutScene->GetOverlayAlpha(), 0);
}

} // namespace
