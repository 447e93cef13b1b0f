#include "engine/sound/StreamingVoiceContext.h"

#include "engine/assets/ScrambledFile.h"
#include "engine/config/GamePaths.h"
#include "engine/sound/DXSoundEngine.h"
#include "engine/sound/MusicLibrary.h"
#include "tests/engine/platform/DebugCapture.h"
#include "tests/engine/sound/SoundTestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace soundtest;

namespace {

constexpr double kLow = 400.0;
constexpr double kHigh = 1000.0;
constexpr double kOther = 700.0;
// The mix is pulled in chunks of 1024 frames; positions are checked to a few chunks.
constexpr int64_t kFrameSlack = 4096;

class MusicStreamingTest : public LoopbackTest {
protected:
    // Registers a track of the given tones, one after the other.
    std::string AddTrack(
        const std::string& name, const std::vector<Tone>& tones, bool noResume, double loopPoint = 0.0)
    {
        const std::string path = folder + name;
        WriteFile(path, MakeOgg(MakeTones(tones, 0.3)));
        library.AddOrUpdate(MusicTrack(path, noResume, loopPoint));
        return path;
    }

    void Ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            UpdateStreamedMusic(&engine);
    }

    // True when `frequency` clearly dominates `other` in the mix.
    static bool Dominates(const std::vector<int16_t>& mix, double frequency, double other)
    {
        return ToneAmplitude(mix, frequency) > 0.05
            && ToneAmplitude(mix, other) < ToneAmplitude(mix, frequency) * 0.1;
    }
};

TEST_F(MusicStreamingTest, TrackLoopsBackToItsLoopPointWithoutGaps)
{
    // Past the end (2 s) the track goes on from its loop point, never dropping
    // out; 2.3 s rendered leaves it 0.3 s past that point.
    const struct {
        double loopPoint;
        double toneAfter;
        double otherTone;
        double secondsAfter;
    } cases[] = {{50.0, kHigh, kLow, 1.3}, {0.0, kLow, kHigh, 0.3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.loopPoint);
        const std::string name = "loop" + std::to_string(int(c.loopPoint)) + ".ogg";
        const std::string track = AddTrack(name, {{kLow, 1.0}, {kHigh, 1.0}}, true, c.loopPoint);
        PlayStreamedMusic(&engine, track, false, false, 0.0);
        ASSERT_NE(engine.CurrentMusic(), nullptr);
        EXPECT_EQ(engine.CurrentMusic()->GetTotalFrames(), 2 * kRate);
        EXPECT_TRUE(Dominates(Render(0.5), kLow, kHigh));
        const std::vector<int16_t> throughEnd = Render(1.6); // 0.5 s to 2.1 s
        for (size_t start = 0; start + 882 <= throughEnd.size(); start += 882) {
            const std::vector<int16_t> window(throughEnd.begin() + static_cast<std::ptrdiff_t>(start),
                throughEnd.begin() + static_cast<std::ptrdiff_t>(start + 882));
            ASSERT_GT(PeakOf(window), 1000) << "silence at frame " << start / 2;
        }
        EXPECT_TRUE(Dominates(Render(0.2), c.toneAfter, c.otherTone));
        EXPECT_NEAR(static_cast<double>(engine.CurrentMusic()->GetPlayPosition()), c.secondsAfter * kRate,
            kFrameSlack);
    }
}

TEST_F(MusicStreamingTest, CrossfadeStepsBothVolumesPerTick)
{
    const std::string first = AddTrack("first.ogg", {{kLow, 2.0}}, false);
    const std::string second = AddTrack("second.ogg", {{kHigh, 2.0}}, true);
    PlayStreamedMusic(&engine, first, false, false, 0.0);
    const double full = SettledAmplitude(kLow);
    ASSERT_GT(full, 0.05);

    PlayStreamedMusic(&engine, second, true, false, 0.0);
    ASSERT_NE(engine.FadingMusic(), nullptr);
    EXPECT_EQ(engine.FadingMusic()->GetName(), first);
    EXPECT_FLOAT_EQ(engine.FadingMusic()->GetVolume(), 1.0f);
    EXPECT_FLOAT_EQ(engine.CurrentMusic()->GetVolume(), 0.1f);

    Ticks(10);
    EXPECT_NEAR(engine.FadingMusic()->GetVolume(), 0.8f, 1e-5);
    EXPECT_NEAR(engine.CurrentMusic()->GetVolume(), 0.3f, 1e-5);
    Render(0.05);
    const std::vector<int16_t> mix = Render(0.2);
    EXPECT_NEAR(ToneAmplitude(mix, kLow) / full, 0.8, 0.04);
    EXPECT_NEAR(ToneAmplitude(mix, kHigh) / full, 0.3, 0.04);

    Ticks(34); // 44: the new track is not yet at full volume
    EXPECT_LT(engine.CurrentMusic()->GetVolume(), 1.0f);
    Ticks(1); // 45
    EXPECT_EQ(engine.CurrentMusic()->GetVolume(), 1.0f);
    Ticks(4); // 49: the old one still fades
    ASSERT_NE(engine.FadingMusic(), nullptr);
    EXPECT_GT(engine.FadingMusic()->GetVolume(), 0.0f);
    Ticks(1); // 50: gone
    EXPECT_EQ(engine.FadingMusic(), nullptr);
    Render(0.05);
    EXPECT_TRUE(Dominates(Render(0.2), kHigh, kLow));

    // The music layer's volume scales the stream.
    const double high = SettledAmplitude(kHigh);
    engine.ApplyVolumes(5, 10);
    EXPECT_NEAR(SettledAmplitude(kHigh) / high, 0.5, 0.03);
}

TEST_F(MusicStreamingTest, CrossfadingBackToAFadingTrackTakesUpItsVolume)
{
    const std::string first = AddTrack("first.ogg", {{kLow, 2.0}}, true);
    const std::string second = AddTrack("second.ogg", {{kHigh, 2.0}}, true);
    PlayStreamedMusic(&engine, first, false, false, 0.0);
    PlayStreamedMusic(&engine, second, true, false, 0.0);
    Ticks(20);
    PlayStreamedMusic(&engine, first, true, false, 0.0);
    EXPECT_NEAR(engine.CurrentMusic()->GetVolume(), 0.6f, 1e-5);
    ASSERT_NE(engine.FadingMusic(), nullptr);
    EXPECT_EQ(engine.FadingMusic()->GetName(), second);
}

TEST_F(MusicStreamingTest, TrackResumesWhereItWasLeftUnlessMarkedNotTo)
{
    const std::string area = AddTrack("area.ogg", {{kLow, 1.0}, {kHigh, 7.0}}, false);
    const std::string hub = AddTrack("hub.ogg", {{kOther, 2.0}}, true);
    PlayStreamedMusic(&engine, area, false, false, 0.0);
    Render(1.5);
    PlayStreamedMusic(&engine, hub, true, false, 0.0);
    // Where its decoder stopped, past the buffers still queued behind what
    // was heard.
    const int64_t leftAt = engine.FadingMusic()->GetDecoderPosition();
    EXPECT_GT(leftAt, engine.FadingMusic()->GetPlayPosition() + kFrameSlack);
    Ticks(50);
    EXPECT_EQ(library.Find(area)->resumePosition, leftAt);

    // Leaving a track that never resumes: the area track picks up where it was.
    PlayStreamedMusic(&engine, area, false, false, 0.0);
    EXPECT_NEAR(
        static_cast<double>(engine.CurrentMusic()->GetPlayPosition()), static_cast<double>(leftAt), 1.0);
    EXPECT_TRUE(Dominates(Render(0.2), kHigh, kLow));

    // Told to forget its position once, it starts over next time.
    library.Find(area)->resumePosition = -1;
    PlayStreamedMusic(&engine, hub, true, false, 0.0);
    Ticks(50);
    EXPECT_EQ(library.Find(area)->resumePosition, 0);
    PlayStreamedMusic(&engine, area, false, false, 0.0);
    EXPECT_TRUE(Dominates(Render(0.2), kLow, kHigh));

    // A track whose no-resume flag is set ignores its remembered position.
    library.Find(hub)->resumePosition = kRate;
    library.Find(area)->noResume = true;
    PlayStreamedMusic(&engine, hub, false, false, 0.0);
    EXPECT_LT(engine.CurrentMusic()->GetPlayPosition(), 1);
}

TEST_F(MusicStreamingTest, LeavingAResumingTrackStartsTheNextFromItsBeginning)
{
    const std::string area = AddTrack("area.ogg", {{kLow, 1.0}, {kHigh, 2.0}}, false);
    const std::string other = AddTrack("other.ogg", {{kLow, 1.0}, {kHigh, 2.0}}, false);
    library.Find(other)->resumePosition = 2 * kRate;
    PlayStreamedMusic(&engine, area, false, false, 0.0);
    PlayStreamedMusic(&engine, other, false, false, 0.0);
    EXPECT_TRUE(Dominates(Render(0.2), kLow, kHigh));
    // The same name again changes nothing.
    StreamingVoiceContext* playing = engine.CurrentMusic().get();
    PlayStreamedMusic(&engine, other, true, false, 0.0);
    EXPECT_EQ(engine.CurrentMusic().get(), playing);
    EXPECT_EQ(engine.FadingMusic(), nullptr);
}

TEST_F(MusicStreamingTest, StartPercentSeeksAfterTheFirstBuffer)
{
    const std::string track = AddTrack("start.ogg", {{kLow, 1.0}, {kHigh, 2.0}}, true);
    PlayStreamedMusic(&engine, track, false, false, 50.0);
    // The first 131072-byte buffer (65536 frames of a mono track, 1.49 s)
    // comes from the start...
    EXPECT_TRUE(Dominates(Render(0.3), kLow, kHigh));
    Render(1.25);
    // ...then playback continues at 50 % (1.5 s), in the high tone.
    EXPECT_NEAR(static_cast<double>(engine.CurrentMusic()->GetPlayPosition()),
        1.5 * kRate + (1.55 * kRate - 65536), kFrameSlack);
    EXPECT_TRUE(Dominates(Render(0.2), kHigh, kLow));
}

TEST_F(MusicStreamingTest, EmptyNameStopsOrFadesTheMusic)
{
    const std::string track = AddTrack("tone.ogg", {{kLow, 2.0}}, true);
    PlayStreamedMusic(&engine, track, false, false, 0.0);
    PlayStreamedMusic(&engine, "", false, false, 0.0);
    EXPECT_FALSE(engine.CurrentMusic()->HasVoice());
    EXPECT_LE(PeakOf(Render(0.1)), kSilence);

    PlayStreamedMusic(&engine, track, false, false, 0.0);
    PlayStreamedMusic(&engine, "", true, false, 0.0);
    EXPECT_GT(ToneAmplitude(Render(0.1), kLow), 0.05);
    Ticks(50);
    EXPECT_EQ(engine.FadingMusic(), nullptr);
    EXPECT_LE(PeakOf(Render(0.1)), kSilence);
}

TEST_F(MusicStreamingTest, ScrambledTrackIsDecodedFromMemory)
{
    const std::vector<uint8_t> ogg = MakeOgg(MakeTones({{kHigh, 1.0}}, 0.3));
    ASSERT_TRUE(WriteScrambledFile(folder + "memory.qhmusic", ogg));
    ASSERT_TRUE(WriteScrambledFile(folder + "both.qhmusic", ogg));
    WriteFile(folder + "both.ogg", ogg);
    SetMusicPath(folder);
    MusicTrack inMemory("memory.ogg", true, 0.0);
    const MusicTrack onDisk("both.ogg", true, 0.0); // the plain file wins
    SetMusicPath("");
    ASSERT_NE(inMemory.data, nullptr);
    EXPECT_EQ(*inMemory.data, ogg);
    EXPECT_EQ(onDisk.data, nullptr);

    library.AddOrUpdate(inMemory);
    PlayStreamedMusic(&engine, "memory.ogg", false, false, 0.0);
    EXPECT_TRUE(Dominates(Render(0.3), kHigh, kLow));
    library.AddOrUpdate(MusicTrack("memory.ogg", true, 0.0)); // the record (and its data) replaced
    Render(1.0);                                              // over the end and round again
    EXPECT_TRUE(Dominates(Render(0.2), kHigh, kLow));
}

TEST_F(MusicStreamingTest, DamagedOrTruncatedDataNeverBreaksTheStream)
{
    MusicTrack garbage("garbage.ogg", true, 0.0);
    garbage.data = std::make_shared<const std::vector<uint8_t>>(std::vector<uint8_t>(5000, 0x4F));
    library.AddOrUpdate(garbage);
    PlayStreamedMusic(&engine, "garbage.ogg", false, false, 0.0);
    EXPECT_FALSE(engine.CurrentMusic()->IsOpened());
    EXPECT_LE(PeakOf(Render(0.1)), kSilence);

    // Cut inside the audio pages, well behind the headers.
    std::vector<uint8_t> full = MakeOgg(MakeTones({{kLow, 6.0}}, 0.3));
    full.resize(full.size() - full.size() / 5);
    MusicTrack truncated("truncated.ogg", true, 0.0);
    truncated.data = std::make_shared<const std::vector<uint8_t>>(std::move(full));
    library.AddOrUpdate(truncated);
    PlayStreamedMusic(&engine, "truncated.ogg", false, false, 0.0);
    EXPECT_TRUE(engine.CurrentMusic()->IsOpened());
    EXPECT_TRUE(Dominates(Render(0.3), kLow, kHigh));
    Render(7.0); // through the cut and round again
    Ticks(60);
}

// A missing track, or one damaged in the middle of its audio, is named once
// however often it is started; the music stays silent, or stops at the damage.
TEST_F(MusicStreamingTest, MissingAndMidStreamDamagedTracksAreReportedOnceByName)
{
    std::vector<uint8_t> damaged = MakeOgg(MakeTones({{kLow, 6.0}}, 0.3));
    for (size_t at = damaged.size() / 3; at < damaged.size() / 2; at += 97)
        damaged[at] ^= 0x5A;
    MusicTrack track("damaged.ogg", true, 0.0);
    track.data = std::make_shared<const std::vector<uint8_t>>(std::move(damaged));
    library.AddOrUpdate(track);
    // Cut short, the track plays as far as it goes, and says so.
    std::vector<uint8_t> cut = MakeOgg(MakeTones({{kLow, 6.0}}, 0.3));
    cut.resize(cut.size() * 2 / 3);
    MusicTrack cutTrack("cut.ogg", true, 0.0);
    cutTrack.data = std::make_shared<const std::vector<uint8_t>>(std::move(cut));
    library.AddOrUpdate(cutTrack);
    ASSERT_EQ(::mkfifo((folder + "pipe.ogg").c_str(), 0600), 0);
    const struct {
        std::string path;
        std::string said;
    } cases[] = {
        {folder + "missing.ogg", "Cannot play music " + folder + "missing.ogg: the file is missing"},
        {folder + "pipe.ogg", "Cannot play music " + folder + "pipe.ogg: the file is not a regular file"},
        {"damaged.ogg", "Cannot play music damaged.ogg: the stream is damaged after sample frame"},
        {"cut.ogg", "Music cut.ogg: the file is cut short; it plays as far as it goes\n"},
    };
    for (const auto& c : cases) {
        DebugCapture debug;
        for (int start = 0; start < 3; ++start) {
            PlayStreamedMusic(&engine, c.path, false, true, 0.0);
            Render(7.0);
            PlayStreamedMusic(&engine, "", false, false, 0.0);
        }
        const std::string messages = debug.Text();
        const std::string& said = c.said;
        const size_t first = messages.find(said);
        EXPECT_NE(first, std::string::npos) << messages;
        EXPECT_EQ(messages.find(said, first + 1), std::string::npos) << messages;
    }
}

TEST_F(MusicStreamingTest, UnplayableTracksAreRefusedWithTheirNameAndWhy)
{
    const std::vector<float> tone = MakeTones({{kLow, 0.5}}, 0.3);
    std::vector<uint8_t> chained = MakeOgg(tone, 1, kRate, 1);
    const std::vector<uint8_t> stereoLink = MakeOgg(tone, 2, kRate, 2);
    chained.insert(chained.end(), stereoLink.begin(), stereoLink.end());
    std::vector<uint8_t> sameFormatChain = MakeOgg(tone, 1, kRate, 1);
    const std::vector<uint8_t> monoLink = MakeOgg(tone, 1, kRate, 2);
    sameFormatChain.insert(sameFormatChain.end(), monoLink.begin(), monoLink.end());

    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        const char* reason; // empty: the track plays
    };
    const Case cases[] = {
        {"six.ogg", MakeOgg(tone, 6), "6 channels"},
        {"chained.ogg", chained, "format changes in link 2"},
        {"rate.ogg", MakeOgg(tone, 1, 22050, 7), ""},
        {"same.ogg", sameFormatChain, ""},
    };
    for (const Case& c : cases) {
        ASSERT_FALSE(c.bytes.empty()) << c.name;
        const std::string path = folder + c.name;
        WriteFile(path, c.bytes);
        DebugCapture debug;
        PlayStreamedMusic(&engine, path, false, false, 0.0);
        const std::string messages = debug.Text();
        const bool refused = *c.reason != '\0';
        EXPECT_EQ(engine.CurrentMusic()->HasVoice(), !refused) << c.name;
        if (refused) {
            EXPECT_NE(messages.find(path), std::string::npos) << messages;
            EXPECT_NE(messages.find(c.reason), std::string::npos) << messages;
            EXPECT_LE(PeakOf(Render(0.1)), kSilence) << c.name;
        } else {
            EXPECT_EQ(messages, "") << c.name;
        }
    }
}

TEST(MusicLibraryTest, UpdatingATrackOverwritesItsWholeRecord)
{
    MusicLibrary library;
    library.AddOrUpdate(MusicTrack("a.ogg", false, 12.5));
    library.AddOrUpdate(MusicTrack("b.ogg", true, 0.0));
    library.Find("a.ogg")->resumePosition = 1234;
    library.Find("b.ogg")->resumePosition = -1;
    library.AddOrUpdate(MusicTrack("a.ogg", true, 6.25));
    EXPECT_EQ(library.GetCount(), 2u);
    EXPECT_TRUE(library.Find("a.ogg")->noResume);
    EXPECT_EQ(library.Find("a.ogg")->resumePosition, 0);
    EXPECT_EQ(library.Find("A.ogg"), nullptr);
    library.ResetResumePositions();
    EXPECT_EQ(library.Find("b.ogg")->resumePosition, 0);
}

} // namespace
