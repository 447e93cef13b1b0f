#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "scene/AnimatedSprite.h"
#include "scene/Sprite.h"
#include "tests/scene/RecordText.h"
#include "tests/scene/SceneHost.h"

namespace {

// An animation state as a placed instance keeps it.
struct Playing {
    int frame = 0;
    double time = 0.0;
    bool reversed = false;
    bool playing = true;

    int Advance(const AnimatedSprite& sprite, double dt)
    {
        frame = sprite.AdvanceFrame(frame, &time, &reversed, &playing, dt);
        return frame;
    }
};

class AnimatedSpriteTest : public testing::Test {
protected:
    AnimatedSpriteTest()
    {
        for (int i = 0; i < 4; ++i) {
            sprites.push_back(std::make_unique<Sprite>(
                std::string("F").append(std::to_string(i)), "f.png", 0, 0, 8 + i, 16));
            game.sprites.push_back(sprites.back().get());
        }
    }

    std::unique_ptr<AnimatedSprite> Make(int frameCount, float duration, int loopStart, bool pingPong)
    {
        auto sprite = std::make_unique<AnimatedSprite>("Anim");
        for (int i = 0; i < frameCount; ++i)
            sprite->AddFrame(sprites[static_cast<size_t>(i)].get(), duration, 0.0f);
        sprite->SetLoopStart(loopStart);
        sprite->SetPingPong(pingPong);
        return sprite;
    }

    // The game owns what its tables hold: the fixture's own objects leave
    // them before the game goes.
    void TearDown() override
    {
        game.sceneObjects.clear();
        game.sprites.clear();
        game.animatedSprites.clear();
    }

    SceneHost game;
    std::vector<std::unique_ptr<Sprite>> sprites;
};

} // namespace

TEST_F(AnimatedSpriteTest, AdvanceFrameRunsLoopsStopsAndBounces)
{
    // Frames of 100 ms each; the steps run in turn from frame 0.
    const struct {
        int frames;
        int loopStart;
        bool pingPong;
        std::vector<double> steps;
        int frame;
        double time;
        bool reversed;
        bool playing;
    } cases[] = {
        {4, 1, false, {450.0}, 1, 50.0, false, true},   // 0 1 2 3, back to the loop start
        {3, -1, false, {100.0}, 0, 100.0, false, true}, // a time equal to the duration stays
        {3, -1, false, {250.0}, 2, 50.0, false, true},
        {3, -1, false, {250.0, 60.0}, 2, 50.0, false, false}, // stops on the last frame, time kept
        {4, -1, false, {450.0}, 3, 0.0, false, false},
        {3, -1, true, {450.0}, 0, 50.0, true, true},         // 0 1 2 1 0 running back
        {3, -1, true, {450.0, 100.0}, 0, 50.0, true, false}, // and stops on the first frame
        {3, 1, true, {450.0}, 2, 50.0, false, true},         // 0 1 2 1 2: bounces at the loop start
        {3, 1, true, {450.0, 1000.0}, 2, 50.0, false, true}, // ... and keeps bouncing
    };
    for (const auto& c : cases) {
        const auto sprite = Make(c.frames, 100.0f, c.loopStart, c.pingPong);
        Playing state;
        for (double dt : c.steps)
            state.Advance(*sprite, dt);
        const std::string name = std::to_string(c.frames) + " frames, loop " + std::to_string(c.loopStart)
            + (c.pingPong ? ", ping-pong, " : ", ") + std::to_string(c.steps.size()) + " steps";
        EXPECT_EQ(state.frame, c.frame) << name;
        EXPECT_DOUBLE_EQ(state.time, c.time) << name;
        EXPECT_EQ(state.reversed, c.reversed) << name;
        EXPECT_EQ(state.playing, c.playing) << name;
    }
}

TEST_F(AnimatedSpriteTest, EmptyOutOfRangeAndZeroDurationAnimationsAreGuarded)
{
    AnimatedSprite empty("Empty");
    Playing state;
    EXPECT_EQ(state.Advance(empty, 100.0), -1);
    EXPECT_EQ(empty.GetSize(), Point<int>(0, 0));
    EXPECT_FLOAT_EQ(empty.TotalDuration(-1), 0.0f);

    const auto three = Make(3, 100.0f, 0, false);
    Playing beyond {7};
    EXPECT_EQ(beyond.Advance(*three, 10.0), -1);
    Playing negative {-3, 5.0};
    EXPECT_EQ(negative.Advance(*three, 10.0), -1);
    EXPECT_DOUBLE_EQ(negative.time, 5.0);

    // A loop start outside the animation plays it once.
    const auto badLoop = Make(3, 100.0f, 7, false);
    Playing once;
    EXPECT_EQ(once.Advance(*badLoop, 1000.0), 2);
    EXPECT_FALSE(once.playing);

    // Zero durations with a loop never settle: the call ends after its bounded
    // number of moves on a valid frame, time unchanged.
    const auto zero = Make(3, 0.0f, 0, false);
    Playing spin;
    const int frame = spin.Advance(*zero, 1.0);
    EXPECT_GE(frame, 0);
    EXPECT_LT(frame, 3);
    EXPECT_DOUBLE_EQ(spin.time, 0.0);
}

TEST_F(AnimatedSpriteTest, TotalDurationAndFrameIndexGuards)
{
    AnimatedSprite sprite("Anim");
    sprite.AddFrame(sprites[0].get(), 100.0f, 0.0f);
    sprite.AddFrame(sprites[1].get(), 200.0f, 0.0f);
    sprite.AddFrame(sprites[2].get(), 300.0f, 0.0f);
    EXPECT_FLOAT_EQ(sprite.TotalDuration(2), 300.0f);
    EXPECT_FLOAT_EQ(sprite.TotalDuration(-1), 600.0f);
    EXPECT_FLOAT_EQ(sprite.TotalDuration(-2), 0.0f);

    // A duration of zero or less would stall the advance: refused.
    sprite.SetFrameDuration(1, 0.0f);
    sprite.SetFrameDuration(1, -5.0f);
    EXPECT_FLOAT_EQ(sprite.GetFrameDuration(1), 200.0f);
    EXPECT_FLOAT_EQ(sprite.GetFrameDuration(9), AnimatedSprite::kDefaultFrameDuration);
    sprite.RemoveFrame(-1);
    sprite.RemoveFrame(3);
    EXPECT_EQ(sprite.GetFrameCount(), 3);
}

TEST_F(AnimatedSpriteTest, RecordRoundTripsByteForByte)
{
    AnimatedSprite sprite("Hero Walk");
    sprite.AddFrame(sprites[0].get(), 100.0f, 0.0f);
    sprite.AddFrame(sprites[1].get(), 66.5f, 12.25f);
    sprite.SetCounter(7);
    sprite.SetLoopStart(1);
    sprite.SetPingPong(true);
    const std::string written = Write(sprite);
    EXPECT_EQ(written,
        "AnimatedSpriteV0\r\nHero "
        "Walk\r\n2\r\nSpriteV0Ptr\r\nF0\r\nSpriteV0Ptr\r\nF1\r\n7\r\n1\r\n2\r\n100\r\n66.5\r\n1\r\n"
        "_AnimatedSprite_updatetag_1.0_\r\n2\r\n0\r\n12.25\r\n");

    std::istringstream in(Body(written));
    AnimatedSprite read;
    ASSERT_TRUE(read.UnSerialize(in));
    EXPECT_EQ(Write(read), written);
}

TEST_F(AnimatedSpriteTest, OlderRecordGetsZeroRotationsAndUnknownFramesAreDropped)
{
    std::istringstream in(
        "Old\r\n3\r\nSpriteV0Ptr\r\nF0\r\nSpriteV0Ptr\r\nMissing\r\nSpriteV0Ptr\r\nF2\r\n0\r\n-1\r\n3\r\n"
        "10\r\n20\r\n30\r\n0\r\nNextRecordV0\r\n");
    AnimatedSprite sprite;
    EXPECT_TRUE(sprite.UnSerialize(in));
    EXPECT_EQ(sprite.GetFrameCount(), 2);
    EXPECT_EQ(sprite.GetFrame(1), sprites[2].get());
    EXPECT_EQ(sprite.GetDurations(), (std::vector<float> {10.0f, 20.0f, 30.0f}));
    EXPECT_EQ(sprite.GetRotations(), (std::vector<float> {0.0f, 0.0f, 0.0f}));
    EXPECT_EQ(NextLine(in), "NextRecordV0");
}

TEST_F(AnimatedSpriteTest, AFramesClassLineIsReadAndNotCompared)
{
    std::istringstream in("Any\r\n2\r\nSpriteV1Ptr\r\nF0\r\n\r\nF1\r\n0\r\n-1\r\n0\r\n0\r\nNextRecordV0\r\n");
    AnimatedSprite sprite;
    ASSERT_TRUE(sprite.UnSerialize(in));
    EXPECT_EQ(sprite.GetFrameCount(), 2);
    EXPECT_EQ(sprite.GetFrame(1), sprites[1].get());
    EXPECT_EQ(NextLine(in), "NextRecordV0");
}

TEST_F(AnimatedSpriteTest, DamagedRecordsFailWithoutTrustingTheirCounts)
{
    // Counts of four billion over a stream that ends: no allocation, no
    // endless loop, a clean false, and the animation as it was.
    const char* damaged[] = {
        "Big\n4000000000\nSpriteV0Ptr\nF0\n",
        "D\n0\n0\n-1\n4000000000\n10\n",
        "D\n0\n0\n-1\n2\n10\nxyz\n0\n",
    };
    for (const char* text : damaged) {
        std::istringstream in(text);
        AnimatedSprite kept("Kept", {sprites[0].get()}, {5.0f}, {1.0f});
        EXPECT_FALSE(kept.UnSerialize(in)) << text;
        EXPECT_EQ(kept.GetName(), "Kept");
        EXPECT_EQ(kept.GetFrameCount(), 1);
        EXPECT_EQ(kept.GetDurations(), std::vector<float> {5.0f});
        EXPECT_EQ(kept.GetRotations(), std::vector<float> {1.0f});
    }
}

TEST_F(AnimatedSpriteTest, AFrameWithoutSpriteIsWrittenAsADroppedReferenceAndTheRecordStaysInStep)
{
    // Every counted frame, duration and rotation is written, so a reader
    // finds as many lines as the counts promise and the next record follows.
    AnimatedSprite sprite("Gap", {sprites[0].get(), nullptr}, {10.0f, 20.0f}, {0.0f, 5.0f});
    std::istringstream in(Body(Write(sprite)) + "NextRecordV0\r\n");
    AnimatedSprite read;
    ASSERT_TRUE(read.UnSerialize(in));
    EXPECT_EQ(read.GetFrameCount(), 1);
    EXPECT_EQ(read.GetDurations(), (std::vector<float> {10.0f, 20.0f}));
    EXPECT_EQ(read.GetRotations(), (std::vector<float> {0.0f, 5.0f}));
    EXPECT_EQ(NextLine(in), "NextRecordV0");
}
