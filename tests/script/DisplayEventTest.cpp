#include "characters/BGEvent_DisplayGO.h"
#include "characters/LocalParticleSystem.h"
#include "scene/AnimatedSprite.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/SpacialInstance.h"
#include "scene/Sprite.h"
#include "script/BGEvent_HandleParticleSystem.h"
#include "tests/script/ScriptFixture.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A level with two layers in list 1 and one in list 2, a still object and a
// looping animation.
class DisplayEvent : public ScriptFixture {
protected:
    void SetUp() override
    {
        ScriptFixture::SetUp();
        first = level.CreateLayer(Level::kForeground, "FG_Near", nullptr, 512, 448, 64, 64);
        last = level.CreateLayer(Level::kForeground, "FG_Far", nullptr, 512, 448, 64, 64);
        scene = level.CreateLayer(Level::kScene, "Collisions", nullptr, 512, 448, 64, 64);
        still.AddSpriteInstance(&frame0, 0, 0);
        loop.AddFrame(&frame0, 100.0f, 0.0f);
        loop.AddFrame(&frame1, 100.0f, 0.0f);
        loop.SetLoopStart(0);
        looping.AddAnimatedInstance(&loop, 0, 0);
    }

    // Ticks until the event finishes, at most `limit`.
    int TicksToFinish(BGEvent_DisplayGO& event, int limit = 100)
    {
        for (int tick = 1; tick <= limit; ++tick) {
            event.Run();
            if (event.IsFinished())
                return tick;
        }
        return -1;
    }

    Layer* first = nullptr;
    Layer* last = nullptr;
    Layer* scene = nullptr;
    Sprite frame0 {"f0", "f.png", 0, 0, 15, 15};
    Sprite frame1 {"f1", "f.png", 16, 0, 31, 15};
    AnimatedSprite loop {"loop"};
    GraphicalObject still {"Still"};
    GraphicalObject looping {"Looping"};
};

TEST_F(DisplayEvent, TheLayerSelectorPicksFirstOrLastLayerOfAList)
{
    BGEvent_DisplayGO onFirst("d", -1, &still, Point<float>(10.0f, 20.0f), 3, 2);
    BGEvent_DisplayGO onLast("d", 1, &still, Point<float>(0.0f, 0.0f), 3, 2);
    BGEvent_DisplayGO onScene("d", 2, &still, Point<float>(0.0f, 0.0f), 3, 2);
    EXPECT_EQ(onFirst.GetLayer(), first);
    EXPECT_EQ(onLast.GetLayer(), last);
    EXPECT_EQ(onScene.GetLayer(), scene);
    ASSERT_NE(onFirst.GetInstance(), nullptr);
    // A copy is shown, never the library's object.
    EXPECT_NE(onFirst.GetInstance()->GetPrototype(), &still);
    EXPECT_EQ(onFirst.GetInstance()->GetPosition(), Point<float>(10.0f, 20.0f));
}

TEST_F(DisplayEvent, ACountEndsOnItsLastTickWhateverTheAnimationDoes)
{
    BGEvent_DisplayGO counted("d", 1, &looping, Point<float>(0.0f, 0.0f), 3, 2);
    EXPECT_EQ(TicksToFinish(counted), 3);
    BGEvent_DisplayGO endless("d", 1, &looping, Point<float>(0.0f, 0.0f), -1, 2);
    EXPECT_EQ(TicksToFinish(endless), -1);
    BGEvent_DisplayGO untilEnd("d", 1, &still, Point<float>(0.0f, 0.0f), -1, 2);
    EXPECT_EQ(TicksToFinish(untilEnd), 1);
}

TEST_F(DisplayEvent, WithoutALayerItFinishesAtOnceAndTouchesNothing)
{
    BGEvent_DisplayGO missing("d", -3, &still, Point<float>(0.0f, 0.0f), 50, 2);
    EXPECT_EQ(missing.GetInstance(), nullptr);
    EXPECT_EQ(TicksToFinish(missing), 1);
}

TEST_F(DisplayEvent, GoingAwayTakesTheCopyOffItsLayer)
{
    {
        BGEvent_DisplayGO shown("d", 1, &still, Point<float>(0.0f, 0.0f), 5, 2);
        EXPECT_EQ(last->GetAddedInstanceCount(), 1u);
    }
    EXPECT_EQ(last->GetAddedInstanceCount(), 0u);
}

TEST_F(DisplayEvent, SetLayerVisibleHidesTheFirstLayerOfTheNameListZeroFirst)
{
    Layer* background = level.CreateLayer(Level::kBackground, "FG_Far", nullptr, 512, 448, 64, 64);
    Level::Instance trigger;
    trigger.SetLevel(&level);
    Script& script = Make("SetLayerVisible FG_Far 0;SetLayerVisible FG_Near 0;SetLayerVisible FG_Near 1");
    script.SetOwnerInstance(&trigger);
    RunToEnd(script);
    EXPECT_FALSE(background->IsVisible());
    EXPECT_TRUE(last->IsVisible());
    EXPECT_TRUE(first->IsVisible());
    EXPECT_EQ(ErrorCount(), 0);
}

TEST_F(DisplayEvent, AFollowedParticleSystemIsKeptInPlaceAndGoesWhenItHasRunOut)
{
    // Systems without particles have run out at once.
    auto kept = std::make_unique<LocalParticleSystem>();
    auto removed = std::make_unique<LocalParticleSystem>();
    LocalParticleSystem* keptSystem = kept.get();
    LocalParticleSystem* removedSystem = removed.get();
    scene->AddParticleSystem(std::move(kept));
    first->AddParticleSystem(std::move(removed));
    BGEvent_HandleParticleSystem keep("LPS a", keptSystem, false, Point<int>(40, 50));
    BGEvent_HandleParticleSystem remove("LPS b", removedSystem, true, Point<int>(60, 70));
    keptSystem->SetPosition(Point<int>(0, 0));
    EXPECT_TRUE(keep.Update());
    EXPECT_TRUE(remove.Update());
    EXPECT_EQ(keptSystem->GetPosition(), Point<int>(40, 50));
    EXPECT_TRUE(keep.IsFinished());
    EXPECT_TRUE(remove.IsFinished());
    EXPECT_EQ(scene->GetParticleSystemCount(), 1u);
    EXPECT_EQ(first->GetParticleSystemCount(), 0u);

    // A system its layer freed first, or none at all: nothing to follow,
    // and nothing of the freed system is touched.
    auto freed = std::make_unique<LocalParticleSystem>();
    LocalParticleSystem* freedSystem = freed.get();
    last->AddParticleSystem(std::move(freed));
    BGEvent_HandleParticleSystem orphan("LPS c", freedSystem, true, Point<int>(1, 2));
    last->DeleteParticleSystem(freedSystem);
    orphan.Update();
    EXPECT_TRUE(orphan.IsFinished());
    EXPECT_EQ(orphan.GetSystem(), nullptr);
    BGEvent_HandleParticleSystem none("LPS d", nullptr, true, Point<int>(1, 2));
    none.Update();
    EXPECT_TRUE(none.IsFinished());
}

} // namespace
