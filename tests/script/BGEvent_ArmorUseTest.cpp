#include "script/BGEvent_ArmorUse.h"

#include "game/Game.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

int TicksUntilFinished(BGEvent_ArmorUse& event)
{
    int ticks = 0;
    while (!event.IsFinished() && ticks < 10000) {
        event.Run();
        event.Update();
        ++ticks;
    }
    return ticks;
}

TEST(ArmorUseEvents, IceLasts500TicksAndFire50WithoutALevel)
{
    BGEvent_ArmorIce_Use ice("Armor Ice Use", nullptr, false, Point<float>(100, 50), Point<int>(64, 96));
    BGEvent_ArmorFire_Use fire("Armor Fire Use", nullptr, false, Point<float>(100, 50), Point<int>(64, 96));
    EXPECT_EQ(ice.GetCentre(), Point<int>(132, 98));
    EXPECT_EQ(ice.GetEffectInstance(), nullptr);
    EXPECT_EQ(TicksUntilFinished(ice), 500);
    EXPECT_EQ(TicksUntilFinished(fire), 50);
}

TEST(ArmorUseEvents, ANewUseStopsTheRunningEventOfItsClassOnly)
{
    Level level("mere");
    auto* first = new BGEvent_ArmorIce_Use("Armor Ice Use", &level, false, Point<float>(), Point<int>());
    level.AddBackgroundEvent(first);
    auto* fire = new BGEvent_ArmorFire_Use("Armor Fire Use", &level, false, Point<float>(), Point<int>());
    level.AddBackgroundEvent(fire);
    first->Update();
    BGEvent_ArmorUse::StopRunning("BGEvent_ArmorIce_Use");
    auto* second = new BGEvent_ArmorIce_Use("Armor Ice Use", &level, false, Point<float>(), Point<int>());
    level.AddBackgroundEvent(second);
    first->Update();
    second->Update();
    fire->Update();
    EXPECT_TRUE(first->IsFinished());
    EXPECT_EQ(first->GetRemaining(), 499);
    EXPECT_FALSE(second->IsFinished());
    EXPECT_EQ(second->GetRemaining(), 499);
    EXPECT_FALSE(fire->IsFinished());
    EXPECT_EQ(first->GetTypeName(), "BGEvent_ArmorIce_Use");
    EXPECT_EQ(first->GetName(), "Armor Ice Use");
}

TEST(ArmorUseEvents, IceShaderCoefficientsSlideOverTheEventsLife)
{
    const float t = 500.0f;
    // At the start only the global coefficient is set, clamped below only.
    ArmorIceShaderCoefficients k = ArmorIceShaderCoefficients::At(500.0f, t);
    EXPECT_FLOAT_EQ(k.globalBgEffect, 46.0f);
    EXPECT_FALSE(k.localBgEffect.has_value());
    EXPECT_FALSE(k.localIce.has_value());

    // Below 40 % of the life the snow comes in; at 30 % not yet the ice.
    k = ArmorIceShaderCoefficients::At(150.0f, t);
    ASSERT_TRUE(k.localSnow.has_value());
    EXPECT_FLOAT_EQ(*k.localSnow, 0.5f);
    EXPECT_FLOAT_EQ(*k.localBgEffect, 0.4f);
    EXPECT_FALSE(k.localIce.has_value());

    // Below 30 % the ice follows a quarter cosine down to about 0.
    k = ArmorIceShaderCoefficients::At(75.0f, t);
    ASSERT_TRUE(k.localIce.has_value());
    EXPECT_NEAR(*k.localIce, std::cos(0.5f * 3.14f * 0.5f), 1e-5f);
    EXPECT_EQ(*k.localIce, *k.localIceAdd);
    EXPECT_FLOAT_EQ(*k.localSnow, 0.0f);

    k = ArmorIceShaderCoefficients::At(45.0f, t);
    EXPECT_FLOAT_EQ(k.globalBgEffect, 0.5f);
    k = ArmorIceShaderCoefficients::At(0.0f, t);
    EXPECT_FLOAT_EQ(k.globalBgEffect, 0.0f);
    EXPECT_GE(*k.localIce, 0.0f);
    EXPECT_LT(*k.localIce, 0.01f);

    // The event hands the curve of the ticks it has left: 150 on its 351st.
    BGEvent_ArmorIce_Use event("Armor Ice Use", nullptr, false, Point<float>(), Point<int>());
    for (int i = 0; i < 351; ++i)
        event.Update();
    ASSERT_TRUE(event.GetCoefficients().localSnow.has_value());
    EXPECT_FLOAT_EQ(*event.GetCoefficients().localSnow, 0.5f);
}

TEST(ArmorUseEvents, TheEffectIsCentredOnThePlayerOnTheFrontLayerAndGoesWithTheEvent)
{
    Game game;
    game.fixedStepTick = 1;
    GraphicalObject plain("Effect_PlayerArmorFire_Use");
    GraphicalObject rank2("Effect_PlayerArmorFire_Use_Rank2");
    plain.SetSize(224, 224, true);
    rank2.SetSize(224, 224, true);
    game.sceneObjects = {&plain, &rank2};
    Level level("boat_02");
    level.CreateLayer(Level::kForeground, "FG_Water", nullptr, 2048, 448, 32, 32);
    Layer* front = level.CreateLayer(Level::kForeground, "FG_Front", nullptr, 2048, 448, 32, 32);
    for (bool isRank2 : {false, true}) {
        {
            BGEvent_ArmorFire_Use event(
                "Armor Fire Use", &level, isRank2, Point<float>(500, 100), Point<int>(64, 96));
            ASSERT_NE(event.GetEffectInstance(), nullptr);
            ASSERT_EQ(front->GetAddedInstanceCount(), 1u);
            const Layer::Instance* effect = event.GetEffectInstance();
            EXPECT_EQ(effect->GetPrototype()->GetName(), isRank2 ? rank2.GetName() : plain.GetName());
            // Player centre (532, 148) minus half the graphic.
            EXPECT_EQ(effect->GetPosition(), Point<float>(420, 36));
            // A graphic without animation has played at once: gone at the first tick.
            event.Update();
            EXPECT_EQ(event.GetEffectInstance(), nullptr);
            EXPECT_EQ(front->GetAddedInstanceCount(), 0u);
        }
        {
            BGEvent_ArmorFire_Use event(
                "Armor Fire Use", &level, isRank2, Point<float>(500, 100), Point<int>(64, 96));
            EXPECT_EQ(front->GetAddedInstanceCount(), 1u);
        }
        EXPECT_EQ(front->GetAddedInstanceCount(), 0u);
    }
    // Between logic ticks nothing counts down.
    game.fixedStepTick = 0;
    BGEvent_ArmorFire_Use event("Armor Fire Use", &level, false, Point<float>(), Point<int>());
    event.Update();
    EXPECT_EQ(event.GetRemaining(), BGEvent_ArmorFire_Use::kDuration);
    game.sceneObjects.clear();
}

} // namespace
