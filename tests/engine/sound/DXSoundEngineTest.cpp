#include "engine/sound/DXSoundEngine.h"

#include "engine/assets/ScrambledFile.h"
#include "engine/config/GamePaths.h"
#include "engine/sound/MusicLibrary.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundEventsManager.h"
#include "engine/sound/StreamingVoiceContext.h"
#include "tests/engine/platform/DebugCapture.h"
#include "tests/engine/platform/Unprivileged.h"
#include "tests/engine/sound/SoundTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>

using namespace soundtest;

namespace {

constexpr double kTone = 440.0;

class DXSoundEngineTest : public LoopbackTest {
protected:
    void SetUp() override
    {
        LoopbackTest::SetUp();
        WriteFile(folder + "tone.wav", MakeWav(MakeTones({{kTone, 0.5}}, 0.25)));
    }
};

TEST_F(DXSoundEngineTest, ImportFollowsTheLookupOrderAndRejectsWhatItCannotRead)
{
    const std::vector<float> tone = MakeTones({{kTone, 0.1}}, 0.25);
    const std::vector<uint8_t> wav = MakeWav(tone);
    WriteFile(folder + "plain.qhsound", wav);
    ASSERT_TRUE(WriteScrambledFile(folder + "scrambled.qhsound", wav));
    std::vector<uint8_t> damaged = wav;
    damaged[8] = 'X'; // "WAVE" form type broken
    WriteFile(folder + "damaged.wav", damaged);
    WriteFile(folder + "short.wav", std::vector<uint8_t>(wav.begin(), wav.begin() + 20));
    WriteFile(folder + "float.wav", MakeWav(tone, 2, true));

    // The name asked for, then the same name (lower-cased) with or without the
    // sound folder, then its ".qhsound" form, plain or scrambled.
    const std::pair<std::string, std::string> cases[] = {
        {folder + "TONE.WAV", folder + "tone.wav"},
        {"Tone.wav", folder + "tone.wav"},
        {"plain.wav", folder + "plain.qhsound"},
        {"scrambled.wav", folder + "scrambled.qhsound"},
        {folder + "tone.ogg", ""},
        {"missing.wav", ""},
        {"damaged.wav", ""},
        {"short.wav", ""},
    };
    SetSoundPath(folder);
    Sound owner("tone", "tone.wav");
    DebugCapture debug;
    for (const auto& [asked, found] : cases) {
        std::unique_ptr<ISoundRessource> loaded(engine.ImportSound(asked, &owner));
        EXPECT_EQ(loaded != nullptr ? loaded->GetName() : "", found) << asked;
    }
    // A missing file is named once, however often it is asked for; a damaged
    // one says what is wrong with it instead.
    std::unique_ptr<ISoundRessource> again(engine.ImportSound("missing.wav", &owner));
    const std::string messages = debug.Text();
    const std::string missing = "Cannot load sound missing.wav: the file is missing";
    EXPECT_NE(messages.find(missing), std::string::npos) << messages;
    EXPECT_EQ(messages.find(missing, messages.find(missing) + 1), std::string::npos) << messages;
    EXPECT_EQ(messages.find("damaged.wav: the file is missing"), std::string::npos) << messages;
    // One that is there but cannot be opened says why.
    WriteFile(folder + "locked.wav", wav);
    std::filesystem::permissions(folder + "locked.wav", std::filesystem::perms::none);
    EXPECT_TRUE(HoldsWithoutPrivileges([&] {
        debug.Clear();
        std::unique_ptr<ISoundRessource> locked(engine.ImportSound("locked.wav", &owner));
        return locked == nullptr
            && debug.Text().find("Cannot load sound " + folder + "locked.wav: the file cannot be opened: ")
            != std::string::npos;
    }));
    std::unique_ptr<ISoundRessource> plain(engine.ImportSound("plain.wav", &owner));
    std::unique_ptr<ISoundRessource> scrambled(engine.ImportSound("scrambled.wav", &owner));
    std::unique_ptr<ISoundRessource> floats(engine.ImportSound("float.wav", &owner));
    SetSoundPath("");
    ASSERT_TRUE(plain && scrambled && floats);
    EXPECT_EQ(plain->GetOwner(), &owner);
    const auto& plainData = dynamic_cast<DXSoundRessource&>(*plain);
    EXPECT_EQ(dynamic_cast<DXSoundRessource&>(*scrambled).GetData(), plainData.GetData());
    EXPECT_EQ(plainData.GetFormat().samplesPerSec, static_cast<uint32_t>(kRate));
    EXPECT_EQ(plainData.GetDataSize(), static_cast<uint32_t>(tone.size() * 2));

    // Float samples are converted to 16-bit PCM, the channels kept.
    const auto& floatFormat = dynamic_cast<DXSoundRessource&>(*floats).GetFormat();
    EXPECT_EQ(floatFormat.formatTag, 1);
    EXPECT_EQ(floatFormat.bitsPerSample, 16);
    EXPECT_EQ(floatFormat.channels, 2);
    EXPECT_EQ(floatFormat.blockAlign, 4);
}

TEST_F(DXSoundEngineTest, OneShotEndsAndLoopingSoundPlaysOnWithItsDataReleased)
{
    auto oneShot = LoadSound("tone", "tone.wav", false);
    auto looping = LoadSound("loop", "tone.wav", true);
    std::unique_ptr<ISoundInstanceRessource> once(oneShot->GetRessource()->CreateInstance());
    std::unique_ptr<ISoundInstanceRessource> forever(looping->GetRessource()->CreateInstance());
    once->Play(0);
    forever->Play(0); // the loop flag wins over the count
    // Released data makes no new voice, but the playing one keeps its sample.
    looping->GetRessource()->ReleaseData();
    EXPECT_FALSE(dynamic_cast<DXSoundRessource&>(*looping->GetRessource()).HasData());
    EXPECT_EQ(looping->GetRessource()->CreateInstance(), nullptr);
    engine.ReleaseSoundData(nullptr);
    Render(1.2);
    EXPECT_FALSE(once->IsPlaying());
    EXPECT_TRUE(forever->IsPlaying());
    EXPECT_GT(ToneAmplitude(Render(0.1), kTone), 0.05);
}

// On a real output device (the null back-end here) a feeder thread keeps the
// music queued while the game thread starts, fades and ends tracks.
TEST(DXSoundEngineDeviceTest, FeederThreadStreamsAlongsideTheGameThread)
{
    const TempFolder scratch("device");
    const std::string folder = scratch.Path();
    WriteFile(folder + "a.ogg", MakeOgg(MakeTones({{kTone, 1.0}}, 0.25)));
    WriteFile(folder + "b.ogg", MakeOgg(MakeTones({{2 * kTone, 1.0}}, 0.25)));
    MusicLibrary library;
    FakeGame game;
    game.library = &library;
    library.AddOrUpdate(MusicTrack(folder + "a.ogg", false, 50.0));
    DXSoundEngine engine;
    game.engine = &engine;
    ASSERT_TRUE(engine.Init());
    PlayStreamedMusic(&engine, folder + "a.ogg", false, false, 0.0);
    // Read while the feeder refills the stream: the stream locks itself.
    // The feeder may be scheduled late on a loaded machine: wait long.
    for (int wait = 0; wait < 2000 && engine.CurrentMusic()->GetPlayPosition() == 0; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_GT(engine.CurrentMusic()->GetPlayPosition(), 0);
    PlayStreamedMusic(&engine, folder + "b.ogg", true, false, 0.0);
    for (int tick = 0; tick < 60; ++tick) {
        UpdateStreamedMusic(&engine);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(engine.FadingMusic(), nullptr);
    EXPECT_GT(library.Find(folder + "a.ogg")->resumePosition, 0);
}

// Without any audio device the engine reports it once and everything after
// that stays silent: nothing stops, nothing blocks.
void RunWithoutAudioDevice()
{
    setenv("ALSOFT_DRIVERS", "no-such-driver", 1);
    // Static: the child ends by std::exit, which runs only static destructors.
    static const TempFolder scratch("nodevice");
    const std::string folder = scratch.Path();
    WriteFile(folder + "tone.wav", MakeWav(MakeTones({{kTone, 0.1}}, 0.25)));
    MusicLibrary library;
    FakeGame game;
    game.library = &library;
    {
        DXSoundEngine engine;
        game.engine = &engine;
        testing::internal::CaptureStdout();
        const bool started = engine.Init();
        const std::string printed = testing::internal::GetCapturedStdout();
        std::fprintf(stderr, "%s", printed.c_str());
        if (started || engine.HasMasteringVoice())
            std::exit(2);

        Sound sound("tone", folder + "tone.wav");
        sound.SetRessource(std::unique_ptr<ISoundRessource>(engine.ImportSound(folder + "tone.wav", &sound)));
        if (sound.GetRessource() == nullptr || sound.GetRessource()->CreateInstance() != nullptr)
            std::exit(3);
        engine.ApplyVolumes(5, 5);
        PlayStreamedMusic(&engine, folder + "missing.ogg", true, false, 0.0);
        UpdateStreamedMusic(&engine);
        PlayStreamedMusic(&engine, "", true, false, 0.0);
        for (int tick = 0; tick < 60; ++tick)
            UpdateStreamedMusic(&engine);
        if (engine.FadingMusic() != nullptr)
            std::exit(4);
    }
    std::exit(0);
}

TEST(DXSoundEngineNoDeviceTest, StartUpReportsTheMissingDeviceAndRunsSilent)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        RunWithoutAudioDevice(), testing::ExitedWithCode(0), "Failed creating mastering voice: 0X[0-9A-F]+");
}

// Sounds may outlive the engine: their sources and buffers then belong to a
// destroyed context, and must not delete what a later engine made with the
// same ids, nor call into the engine that is gone.
TEST_F(DXSoundEngineTest, SoundsOutlivingTheirEngineLeaveTheNextOneAlone)
{
    std::unique_ptr<Sound> stale;
    std::unique_ptr<ISoundInstanceRessource> staleVoice;
    {
        DXSoundEngine first;
        ASSERT_TRUE(first.InitLoopback(kRate));
        stale = LoadSound("stale", "tone.wav", false, &first);
        staleVoice.reset(stale->GetRessource()->CreateInstance());
    }
    DXSoundEngine second;
    ASSERT_TRUE(second.InitLoopback(kRate));
    EXPECT_FALSE(second.Init()); // a started engine does not start twice
    auto sound = LoadSound("hum", "tone.wav", true, &second);
    std::unique_ptr<ISoundInstanceRessource> voice(sound->GetRessource()->CreateInstance());
    voice->Play(0);
    EXPECT_EQ(stale->GetRessource()->CreateInstance(), nullptr); // its context is gone
    staleVoice.reset();
    stale->GetRessource()->ReleaseData();
    stale.reset();
    std::vector<int16_t> mix(static_cast<size_t>(0.2 * kRate) * 2);
    ASSERT_TRUE(second.RenderSamples(mix.data(), static_cast<int>(mix.size() / 2)));
    EXPECT_GT(ToneAmplitude(mix, kTone), 0.05);
}

} // namespace
