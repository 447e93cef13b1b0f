#include "tools/world/MusicSynth.h"
#include "tools/world/SoundSynth.h"
#include "tools/world/WorldText.h"

#include "engine/sound/StreamingVoiceContext.h"
#include "engine/sound/WaveFile.h"
#include "tests/engine/sound/SoundTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>

namespace {

std::vector<SynthSound> WorldSounds()
{
    std::vector<SynthSound> sounds;
    for (const std::string& file : ListFiles(std::string(QUENHOLT_SOURCE_DIR) + "/data/sounds", ".txt")) {
        std::vector<SynthSound> list = ReadSoundList(ReadWholeFile(file), file);
        sounds.insert(sounds.end(), list.begin(), list.end());
    }
    return sounds;
}

template <class F> std::string ErrorOf(F&& f)
{
    try {
        f();
    } catch (const WorldError& e) {
        return e.what();
    }
    return "accepted";
}

TEST(SoundGeneratorTest, EveryWorldSoundRepeatsByteForByteAndLoadsAsShortMonoPcm)
{
    const std::vector<SynthSound> sounds = WorldSounds();
    ASSERT_GE(sounds.size(), 12u);
    for (const SynthSound& sound : sounds) {
        SCOPED_TRACE(sound.name);
        const std::vector<uint8_t> wav = EncodeWav(RenderSound(sound, 1), 1, kSfxRate);
        EXPECT_EQ(wav, EncodeWav(RenderSound(sound, 1), 1, kSfxRate));
        WaveFile file;
        ASSERT_TRUE(file.OpenMemory(wav.data(), wav.size()));
        EXPECT_EQ(file.GetFormat().channels, 1);
        EXPECT_EQ(file.GetFormat().samplesPerSec, uint32_t(kSfxRate));
        EXPECT_EQ(file.GetFormat().bitsPerSample, 16);
        const double seconds = double(file.GetData().size()) / 2 / kSfxRate;
        EXPECT_GE(seconds, sound.loop ? 0.98 : 0.05);
        EXPECT_LE(seconds, sound.loop ? 4.0 : 1.5);
        const auto* samples = reinterpret_cast<const int16_t*>(file.GetData().data());
        int peak = 0;
        for (size_t i = 0; i < file.GetData().size() / 2; ++i)
            peak = std::max(peak, std::abs(int(samples[i])));
        EXPECT_GT(peak, 3000) << "inaudible";
        if (sound.loop) {
            // The loop's end runs into its start without a jump (a click).
            const size_t n = file.GetData().size() / 2;
            EXPECT_LT(std::abs(int(samples[0]) - int(samples[n - 1])), 1500);
        }
    }
}

TEST(SoundGeneratorTest, NoiseDrawsFromTheSeedAndLoopsKeepTheirLengthAndJoinQuietly)
{
    const std::vector<SynthSound> list = ReadSoundList("sound hiss 0.2\n  noise 3000 3000 0 0.2 0.8\n"
                                                       "loop hum 1.0\n  sine 200 200 0 1.0 0.8\n"
                                                       "loop taps 1.0\n  noise 500 500 0.9 0.1 0.9\n",
        "t.txt");
    EXPECT_NE(RenderSound(list[0], 1), RenderSound(list[0], 2));
    for (const SynthSound& loop : {list[1], list[2]}) {
        SCOPED_TRACE(loop.name);
        const std::vector<int16_t> samples = RenderSound(loop, 1);
        EXPECT_NEAR(double(samples.size()), kSfxRate, kSfxRate / 100.0);
        EXPECT_LT(std::abs(int(samples.front()) - int(samples.back())), 1500);
    }
}

TEST(SoundGeneratorTest, BadSoundListsNameTheirLine)
{
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"sound Menu_Select 0.1\n", "t.txt:1: sound file names are lower case"},
        {"sound a 2.0\n", "t.txt:1: a sound lasts"},
        {"loop a 0.5\n", "t.txt:1: a loop lasts"},
        {"sound a 0.1\nsound a 0.1\n", "t.txt:2: sound \"a\" is defined twice"},
        {"sound a 0.1\n  whistle 1 2 0 0.1 1\n", "t.txt:2: unknown sound word"},
        {"sound a 0.1\n  sine 0 2 0 0.1 1\n", "t.txt:2: a voice needs positive"},
        {"  sine 1 2 0 0.1 1\n", "t.txt:1: expected \"sound\" or \"loop\""},
    };
    for (const auto& c : cases)
        EXPECT_NE(ErrorOf([&] { ReadSoundList(c.text, "t.txt"); }).find(c.message), std::string::npos)
            << c.text;
}

TEST(SoundGeneratorTest, BadTracksNameTheirFault)
{
    const std::string head = "track a.ogg\ntempo 60\nbeats 4\n";
    const struct {
        std::string text;
        const char* message;
    } cases[] = {
        {head + "bars 4\n", "a track lasts 24 to 48 s"},
        {head + "bars 8\nintro 1\nloop 0\n", "the loop point must skip exactly the intro bars"},
        {head + "bars 8\nvoice tri 1 0.3 0 1 0 D4 H2\n", "t.txt:5: expected a note such as D4"},
        {head + "bars 8\nvoice harp 1 0.3 0 1 0 D4\n", "t.txt:5: unknown wave"},
        {"tempo 60\nbars 8\n", "no \"track FILE.ogg\" line"},
    };
    for (const auto& c : cases)
        EXPECT_NE(ErrorOf([&] { ReadMusicTrack(c.text, "t.txt"); }).find(c.message), std::string::npos)
            << c.text;
    double hz = 0;
    ASSERT_TRUE(NoteFrequency("A4", hz));
    EXPECT_DOUBLE_EQ(hz, 440.0);
    ASSERT_TRUE(NoteFrequency("Bb3", hz));
    ASSERT_TRUE(NoteFrequency("A#3", hz));
    EXPECT_NEAR(hz, 233.08, 0.01);
    EXPECT_FALSE(NoteFrequency("H4", hz));
    EXPECT_FALSE(NoteFrequency("A", hz));
}

class MusicGeneratorTest : public soundtest::LoopbackTest { };

TEST_F(MusicGeneratorTest, EncodedTrackRepeatsAndStreamsThroughTheEngineFromItsLoopPoint)
{
    // A short piece keeps the test quick: 2 s of a 440 Hz tone.
    std::vector<float> stereo(size_t(2 * kMusicRate) * 2);
    for (size_t i = 0; i < stereo.size() / 2; ++i)
        stereo[2 * i] = stereo[2 * i + 1]
            = float(0.4 * std::sin(2.0 * 3.14159265358979 * 440.0 * double(i) / kMusicRate));
    const std::vector<uint8_t> ogg = EncodeOggVorbis(stereo, 11025, 5);
    ASSERT_FALSE(ogg.empty());
    EXPECT_EQ(ogg, EncodeOggVorbis(stereo, 11025, 5));
    const std::string text(ogg.begin(), ogg.end());
    EXPECT_NE(text.find("LOOPSTART=11025"), std::string::npos);

    const std::string path = folder + "piece.ogg";
    soundtest::WriteFile(path, ogg);
    library.AddOrUpdate(MusicTrack(path, false, 12.5));
    PlayStreamedMusic(&engine, path, false, false, 0.0);
    ASSERT_NE(engine.CurrentMusic(), nullptr);
    EXPECT_EQ(engine.CurrentMusic()->GetTotalFrames(), 2 * kMusicRate);
    Render(0.05);
    EXPECT_GT(soundtest::ToneAmplitude(Render(0.3), 440.0), 0.02);
}

// One test per track, so that each renders one track only.
class WorldMusicTest : public testing::TestWithParam<std::string> { };

std::vector<std::string> WorldTrackFiles()
{
    return ListFiles(std::string(QUENHOLT_SOURCE_DIR) + "/data/music", ".txt");
}

TEST(WorldMusicList, TheWorldHasItsTracks)
{
    EXPECT_GE(WorldTrackFiles().size(), 2u);
}

TEST_P(WorldMusicTest, WorldTracksFitTheirLoopPointsAndSeedTheirNoise)
{
    const std::string& file = GetParam();
    const TrackScore track = ReadMusicTrack(ReadWholeFile(file), file);
    EXPECT_GE(track.Seconds(), 24.0);
    EXPECT_LE(track.Seconds(), 48.0);
    const std::vector<float> samples = RenderTrack(track, 1);
    EXPECT_EQ(samples.size(), size_t(track.Seconds() * kMusicRate) * 2);
    float peak = 0;
    for (float s : samples)
        peak = std::max(peak, std::abs(s));
    EXPECT_GT(peak, 0.1f);
    EXPECT_LE(peak, 1.0f);
}

INSTANTIATE_TEST_SUITE_P(Track, WorldMusicTest, testing::ValuesIn(WorldTrackFiles()),
    [](const testing::TestParamInfo<std::string>& info) {
        std::string name = std::filesystem::path(info.param).stem().string();
        std::replace_if(
            name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); },
            '_');
        return name;
    });

} // namespace
