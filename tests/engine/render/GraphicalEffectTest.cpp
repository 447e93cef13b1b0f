#include "engine/render/GE_Blink.h"
#include "engine/render/GE_Fade.h"
#include "engine/render/GE_Shake.h"
#include "engine/render/SpriteSource.h"

#include <gtest/gtest.h>

namespace {

TEST(GraphicalEffect, NullSpriteDrawsNothingAndStillSucceeds)
{
    GE_Blink blink;
    GE_Fade fade(10, false);
    GE_Shake shake;
    for (GraphicalEffect* effect : std::initializer_list<GraphicalEffect*> {&blink, &fade, &shake})
        EXPECT_TRUE(effect->DrawSprite(nullptr, nullptr, 0, 0, 0, 0, 0.0f, nullptr));
    // The base effect draws nothing and says so.
    EXPECT_FALSE(GraphicalEffect().DrawSprite(nullptr, nullptr, 0, 0, 0, 0, 0.0f, nullptr));
}

TEST(GE_Blink, AlternatesFaintRedAndPlainEveryFrame)
{
    GE_Blink blink;
    EXPECT_EQ(blink.GetColor(), 0xFFFFFFFFu);
    blink.Update();
    EXPECT_EQ(blink.GetColor(), 0x32FFC8C8u); // alpha 50, red 255, green and blue 200
    blink.Update();
    EXPECT_EQ(blink.GetFrame(), 0);
    EXPECT_EQ(blink.GetColor(), 0xFFFFFFFFu);
}

TEST(GE_Fade, AlphaRunsFromStartToEndByTheTruncatedStep)
{
    // step = 255 / frames, truncated and negated for a fade-in; alpha =
    // counter x step, plus 255 below a step of 1. Slower than 255 frames the
    // step is 0 and the sprite stays opaque; a duration below 1 is 1 frame.
    struct Case {
        int frames;
        bool fadeIn;
        int32_t step;
        uint32_t start, afterOneFrame, end;
    };
    const Case cases[] = {
        {51, false, 5, 255, 250, 0},
        {51, true, -5, 0, 5, 255},
        {30, false, 8, 240, 232, 0},
        {30, true, -8, 15, 23, 255},
        {60, true, -4, 15, 19, 255},
        {300, false, 0, 255, 255, 255},
        {300, true, 0, 255, 255, 255},
        {1, false, 255, 255, 0, 0},
        {0, false, 255, 255, 0, 0},
        {0, true, -255, 0, 255, 255},
        {-4, false, 255, 255, 0, 0},
        {-4, true, -255, 0, 255, 255},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.frames << (c.fadeIn ? " in" : " out"));
        GE_Fade fade(c.frames, c.fadeIn);
        EXPECT_EQ(fade.GetStep(), c.step);
        EXPECT_EQ(fade.GetAlpha(), c.start);
        fade.Update();
        EXPECT_EQ(fade.GetAlpha(), c.afterOneFrame);
        for (int i = 0; i < 400; ++i)
            fade.Update();
        EXPECT_EQ(fade.GetCounter(), 0);
        EXPECT_EQ(fade.GetColor(), c.end << 24 | 0x00FFFFFFu);
    }
}

TEST(GE_Shake, BouncesAtTheAmplitudeAtConstantSpeed)
{
    GE_Shake shake;
    shake.SetAmplitude(4.0f, 0.0f);
    shake.SetVelocity(10.0f, 0.0f);
    // 3.3 a frame; past the amplitude it stops there and turns back. The draw
    // offset truncates toward zero.
    const struct {
        float offset, velocity;
        int drawn;
    } frames[]
        = {{3.3f, 10.0f, 3}, {4.0f, -10.0f, 4}, {0.7f, -10.0f, 0}, {-2.6f, -10.0f, -2}, {-4.0f, 10.0f, -4}};
    for (const auto& frame : frames) {
        shake.Update();
        EXPECT_NEAR(shake.GetOffset().x, frame.offset, 1e-5f) << shake.GetFrameCount();
        EXPECT_EQ(shake.GetVelocity().x, frame.velocity) << shake.GetFrameCount();
        EXPECT_EQ(shake.GetDrawOffset(), Point<int>(frame.drawn, 0)) << shake.GetFrameCount();
    }
    EXPECT_EQ(shake.GetFrameCount(), 5);
}

TEST(GE_Shake, HitShakeTintFollowsTheVerticalOffset)
{
    // The enemies' hit shake: vertical amplitude 1, velocity 30.
    GE_Shake shake;
    shake.SetAmplitude(0.0f, 1.0f);
    shake.SetVelocity(0.0f, 30.0f);
    EXPECT_EQ(shake.GetColor(), 0xFFFFF3FFu); // 255 - 2 - 10 = 243
    shake.Update();
    EXPECT_EQ(shake.GetOffset().y, 1.0f);
    EXPECT_EQ(shake.GetColor(), 0xFFFFF4FFu); // 243 + 1.2
    shake.Update();
    EXPECT_EQ(shake.GetOffset().y, -1.0f);
    EXPECT_EQ(shake.GetColor(), 0xFFFFF1FFu); // 243 - 1.2 = 241.8
    EXPECT_EQ(shake.GetDrawOffset(), Point<int>(0, -1));

    shake.SetNoTint(true);
    EXPECT_EQ(shake.GetColor(), 0xFFFFFFFFu);

    GE_Shake wild;
    wild.SetAmplitude(0.0f, 200.0f); // green wraps to its low 8 bits
    EXPECT_EQ(wild.GetColor(), 0xFFFF00FFu | ((uint32_t(255 - 400 - 10) & 0xFFu) << 8));
}

TEST(GraphicalEffect, ClonesKeepTheirClassAndAreIndependent)
{
    GE_Shake shake;
    shake.SetAmplitude(4.0f, 2.0f);
    shake.SetVelocity(10.0f, 5.0f);
    shake.Update();
    std::unique_ptr<GraphicalEffect> copy = static_cast<GraphicalEffect&>(shake).Clone();
    auto* shakeCopy = dynamic_cast<GE_Shake*>(copy.get());
    ASSERT_NE(shakeCopy, nullptr);
    EXPECT_EQ(shakeCopy->GetOffset().x, shake.GetOffset().x);
    EXPECT_EQ(shakeCopy->GetColor(), shake.GetColor());
    shake.Update();
    EXPECT_NE(shakeCopy->GetOffset().x, shake.GetOffset().x);
    EXPECT_EQ(shakeCopy->GetFrameCount(), 1);

    GE_Fade fade(10, true);
    fade.Update();
    std::unique_ptr<GraphicalEffect> fadeCopy = fade.Clone();
    fadeCopy->Update();
    EXPECT_EQ(fade.GetCounter(), 9);
    EXPECT_EQ(dynamic_cast<GE_Fade&>(*fadeCopy).GetCounter(), 8);
    EXPECT_EQ(dynamic_cast<GE_Fade&>(*fadeCopy).GetStep(), -25);

    GraphicalEffect finished;
    finished.Finish();
    EXPECT_TRUE(finished.Clone()->IsFinished());
}

TEST(SpriteSource, ClipCutsOnlyUnrotatedDraws)
{
    const Rect<int> image(64, 32, 95, 63); // 32 x 32
    EXPECT_EQ(MakeSpriteSource(image, 0.0f, nullptr), (SpriteSource {64, 32, 32, 32}));
    const Rect<int> clip(3, 0, 20, 50);
    EXPECT_EQ(MakeSpriteSource(image, 0.0f, &clip), (SpriteSource {67, 32, 17, 32}));
    EXPECT_EQ(MakeSpriteSource(image, 0.5f, &clip), (SpriteSource {64, 32, 32, 32}));
    const Rect<int> topCut(0, 5, 40, 40);
    EXPECT_EQ(MakeSpriteSource(image, 0.0f, &topCut), (SpriteSource {64, 37, 32, 27}));
}

TEST(SpriteSource, TiledQuadGrowsAboutItsCentre)
{
    const TiledQuad quad = MakeTiledQuad(SpriteSource {0, 0, 30, 20}, 2.0f);
    EXPECT_EQ(quad.size, Point<int>(64, 64));
    EXPECT_EQ(quad.shift, Point<int>(-16, -16));
    const TiledQuad half = MakeTiledQuad(SpriteSource {0, 0, 33, 8}, 0.5f);
    EXPECT_EQ(half.size, Point<int>(32, 4));
    EXPECT_EQ(half.shift, Point<int>(16, 2));
}

TEST(SpriteSource, ColourWordsAreAlphaFirst)
{
    EXPECT_EQ(ColorToArgb(Color::White()), 0xFFFFFFFFu);
    EXPECT_EQ(ColorToArgb(Color(1, 2, 3, 128)), 0x80010203u);
    EXPECT_EQ(ColorToArgb(Color(300, -5, 3, 255)), 0xFFFF0003u);
}

} // namespace
