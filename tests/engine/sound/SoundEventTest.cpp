#include "engine/sound/SoundEvent.h"

#include "engine/sound/Sound.h"
#include "engine/sound/SoundEventsManager.h"
#include "tests/engine/sound/SoundTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

using namespace soundtest;

namespace {

class SoundEventTest : public testing::Test {
protected:
    void SetUp() override { game.manager = &manager; }

    int PlayingCount(const SoundEvent& event) const
    {
        int count = 0;
        for (const auto& voice : event.GetVoices())
            count += voice->GetInstance() != nullptr && voice->GetInstance()->IsPlaying();
        return count;
    }

    // Gives the event its variations and their voices.
    static void Fill(SoundEvent& event, std::vector<Sound*> variations)
    {
        event.GetVariations() = std::move(variations);
        event.CreateVoices();
    }

    // Puts the listener (the player's centre) at (x, y).
    void PutListenerAt(float x, float y)
    {
        game.hasPlayer = true;
        game.playerWidth = 20;
        game.playerHeight = 40;
        game.playerX = x - 10.0f;
        game.playerY = y - 20.0f;
    }

    FakeGame game;
    SoundEventsManager manager;
};

TEST_F(SoundEventTest, EachVariationGetsItsVoicesAndBusyVoicesAreNotRestarted)
{
    auto first = MakeFakeSound("first");
    auto second = MakeFakeSound("second");
    SoundEvent event("Test", false, 4);
    Fill(event, {first.get(), nullptr, second.get()});
    ASSERT_EQ(event.GetVoices().size(), 8u); // the null variation gets none

    for (int frame = 0; frame < 8; ++frame) {
        manager.ClearStartedSounds();
        event.Play();
    }
    EXPECT_EQ(PlayingCount(event), 8);
    manager.ClearStartedSounds();
    event.Play(); // all eight busy: nothing more starts
    // Distance plays no part for a non-positional event.
    event.UpdatePositional();
    EXPECT_TRUE(event.IsPlaying());
    int starts = 0;
    for (FakeRessource* ressource : {&FakeOf(*first), &FakeOf(*second)})
        for (FakeInstance* instance : ressource->made) {
            starts += instance->starts;
            EXPECT_FLOAT_EQ(instance->volume, 1.0f);
            instance->playing = false; // the sample ended
        }
    EXPECT_EQ(starts, 8);
    event.UpdatePositional();
    EXPECT_FALSE(event.IsPlaying());
}

TEST(SoundEventPickTest, PickStaysAmongTheFreeVoices)
{
    EXPECT_EQ(SoundEvent::PickFreeVoice(3, 0u), 0u);
    EXPECT_EQ(SoundEvent::PickFreeVoice(3, 0x80000000u), 1u);
    // Numbers this close to 2^32 round to 1.0 as a float.
    EXPECT_EQ(SoundEvent::PickFreeVoice(3, 0xFFFFFFFFu), 2u);
    EXPECT_EQ(SoundEvent::PickFreeVoice(1, 0xFFFFFFF0u), 0u);
    EXPECT_EQ(SoundEvent::PickFreeVoice(10, 0xFFFFFF80u), 9u);
}

TEST_F(SoundEventTest, ASoundStartsAtMostOncePerFrame)
{
    auto shared = MakeFakeSound("hit");
    SoundEvent a("A", false, 2);
    SoundEvent b("B", false, 2);
    Fill(a, {shared.get()});
    Fill(b, {shared.get()});

    a.Play();
    a.Play();
    b.Play();
    EXPECT_EQ(PlayingCount(a) + PlayingCount(b), 1);
    EXPECT_EQ(manager.GetStartedSounds().size(), 1u);

    manager.ClearStartedSounds(); // next frame
    b.Play();
    EXPECT_EQ(PlayingCount(a) + PlayingCount(b), 2);
}

TEST_F(SoundEventTest, VolumeFallsOffBetweenTheInnerAndOuterRadius)
{
    auto sound = MakeFakeSound("step");
    SoundEvent event("Step", true, 1);
    Fill(event, {sound.get()});
    event.SetRadii(100.0f, 400.0f);
    event.SetPosition(1000.0f, 500.0f);
    const FakeInstance& voice = *FakeOf(*sound).made[0];

    event.Play();
    EXPECT_FLOAT_EQ(voice.volume, 0.0f); // silent until the next update

    const float halfway = std::sqrt((400.0f * 400.0f + 100.0f * 100.0f) / 2.0f);
    const std::pair<float, float> expected[] = {
        {0.0f, 1.0f},
        {50.0f, 1.0f},
        {100.0f, 1.0f},
        {250.0f, 0.65f},
        {halfway, 0.5f},
        {400.0f, 0.0f},
    };
    for (const auto& [distance, volume] : expected) {
        PutListenerAt(1000.0f + distance * 0.6f, 500.0f - distance * 0.8f);
        event.UpdatePositional();
        EXPECT_NEAR(voice.volume, volume, 1e-3) << "at distance " << distance;
    }
    // Radii that leave no ring between them give full volume in range.
    event.SetRadii(100.0f, 100.0f);
    PutListenerAt(1060.0f, 500.0f);
    event.UpdatePositional();
    EXPECT_FLOAT_EQ(voice.volume, 1.0f);
    // Beyond the outer radius a one-shot goes on, silent.
    PutListenerAt(1000.0f, 1000.0f);
    event.UpdatePositional();
    EXPECT_FLOAT_EQ(voice.volume, 0.0f);
    EXPECT_TRUE(voice.playing);
    EXPECT_FALSE(voice.paused);
    EXPECT_TRUE(event.IsPlaying());
}

TEST_F(SoundEventTest, LoopingPositionalVoiceOutOfRangePausesAndComesBack)
{
    auto hum = MakeFakeSound("hum", true);
    SoundEvent event("Hum", true, 1);
    Fill(event, {hum.get()});
    event.SetRadii(96.0f, 640.0f);
    const FakeInstance& voice = *FakeOf(*hum).made[0];
    PutListenerAt(0.0f, 0.0f);
    event.Play();
    PutListenerAt(700.0f, 0.0f);
    event.UpdatePositional();
    EXPECT_TRUE(voice.paused);
    EXPECT_TRUE(voice.playing); // kept, not flushed
    EXPECT_FLOAT_EQ(voice.volume, 0.0f);
    EXPECT_TRUE(event.IsPlaying());

    PutListenerAt(368.0f, 0.0f);
    event.UpdatePositional();
    EXPECT_FALSE(voice.paused);
    EXPECT_EQ(voice.starts, 1);
    EXPECT_GT(voice.volume, 0.0f);
    EXPECT_LT(voice.volume, 1.0f);
}

TEST_F(SoundEventTest, RecordRoundTripsWithNullAndUnknownVariations)
{
    auto known = MakeFakeSound("known");
    game.sounds["known"] = known.get();
    Sound missing("missing", "missing.wav"); // not in the game's table
    SoundEvent written("Door_Open", false, 1);
    written.GetVariations() = {known.get(), nullptr, &missing};
    written.SetRadii(96.0f, 640.5f);
    std::stringstream text;
    ASSERT_TRUE(written.Serialize(text));
    EXPECT_EQ(text.str(),
        "SoundEventV0\r\nDoor_Open\r\n3\r\nSoundV0Ptr\r\nknown\r\nNULL\r\nSoundV0Ptr\r\nmissing\r\n96\r\n640."
        "5\r\n");

    SoundEvent read("", false, 1);
    ASSERT_TRUE(read.UnSerialize(text));
    EXPECT_EQ(read.GetName(), "Door_Open");
    EXPECT_EQ(read.GetVariations(), (std::vector<Sound*> {known.get(), nullptr, nullptr}));
    EXPECT_FLOAT_EQ(read.GetOuterRadius(), 640.5f);
}

TEST(SoundTest, RecordKeepsItsUnusedValues)
{
    std::stringstream text("step\r\nstep.wav\r\n3\r\n-4\r\n1\r\n5\r\n6\r\n0.25\r\n2\r\n");
    Sound sound;
    ASSERT_TRUE(sound.UnSerialize(text));
    EXPECT_EQ(sound.GetName(), "step");
    EXPECT_TRUE(sound.GetLoop());
    EXPECT_EQ(sound.GetRessource(), nullptr); // no game, no engine: nothing loaded
    std::stringstream written;
    sound.Serialize(written);
    EXPECT_EQ(written.str(), text.str());

    std::stringstream damaged("step\r\nstep.wav\r\n3\r\nfour\r\n1\r\n");
    Sound partial("kept", "kept.wav");
    EXPECT_FALSE(partial.UnSerialize(damaged));
    EXPECT_EQ(partial.GetName(), "kept");
    EXPECT_EQ(partial.GetFileName(), "kept.wav");
    EXPECT_FALSE(partial.GetLoop());
}

} // namespace
