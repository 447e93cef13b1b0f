#pragma once

// Shared by the sound tests: temp folders, a stand-in game object, a sample
// resource that needs no audio device, the loopback engine fixture, and tone
// measurement on mixed samples.

#include "engine/config/GameConfig.h"
#include "engine/sound/DXSoundEngine.h"
#include "engine/sound/MusicLibrary.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundEventsManager.h"
#include "engine/sound/SoundGameAccess.h"
#include "tests/engine/sound/SoundFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <numbers>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace soundtest {

// A fresh folder for this process (ctest runs tests as parallel processes),
// removed with the object: a test leaves nothing in the temporary folder.
class TempFolder {
public:
    explicit TempFolder(const std::string& tag)
        : folder(std::filesystem::temp_directory_path()
            / ("quenholt_sound_" + tag + "_" + std::to_string(getpid())))
    {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path, ending in "/".
    std::string Path() const { return folder.string() + "/"; }

private:
    std::filesystem::path folder;
};

inline void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Amplitude of one frequency in the left channel of interleaved stereo
// (Goertzel over a Hann window: little leakage from the other tones of a mix).
inline double ToneAmplitude(const std::vector<int16_t>& stereo, double frequency, int rate = kRate)
{
    const size_t count = stereo.size() / 2;
    if (count < 2)
        return 0.0;
    const double coefficient = 2.0 * std::cos(2.0 * std::numbers::pi * frequency / rate);
    double s1 = 0.0, s2 = 0.0, windowSum = 0.0;
    for (size_t n = 0; n < count; ++n) {
        const double window
            = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * static_cast<double>(n) / (count - 1));
        windowSum += window;
        const double s = window * stereo[2 * n] / 32768.0 + coefficient * s1 - s2;
        s2 = s1;
        s1 = s;
    }
    const double power = s1 * s1 + s2 * s2 - coefficient * s1 * s2;
    return 2.0 * std::sqrt(std::max(power, 0.0)) / windowSum;
}

// Output dither leaves a least significant bit or two in a silent mix.
constexpr int kSilence = 2;

// Largest absolute sample of the mix.
inline int PeakOf(const std::vector<int16_t>& stereo)
{
    int peak = 0;
    for (int16_t sample : stereo)
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    return peak;
}

// The game object as the sound classes see it; installed while it lives.
class FakeGame : public SoundGameAccess {
public:
    FakeGame() { SetSoundGameAccess(this); }
    ~FakeGame() override { SetSoundGameAccess(nullptr); }

    ISoundEngine* GetSoundEngine() override { return engine; }
    SoundEventsManager* GetSoundEventsManager() override { return manager; }
    MusicLibrary* GetMusicLibrary() override { return library; }
    GameConfig* GetConfig() override { return &config; }
    Sound* FindSound(const std::string& name) override
    {
        const auto found = sounds.find(name);
        return found != sounds.end() ? found->second : nullptr;
    }
    bool GetPlayerBox(float& x, float& y, int& width, int& height) override
    {
        if (!hasPlayer)
            return false;
        x = playerX;
        y = playerY;
        width = playerWidth;
        height = playerHeight;
        return true;
    }

    ISoundEngine* engine = nullptr;
    SoundEventsManager* manager = nullptr;
    MusicLibrary* library = nullptr;
    std::map<std::string, Sound*> sounds;
    bool hasPlayer = false;
    float playerX = 0.0f;
    float playerY = 0.0f;
    int playerWidth = 0;
    int playerHeight = 0;
    GameConfig config;
};

// An instance that only keeps its state: the sound-event logic runs without
// any audio device.
class FakeInstance : public ISoundInstanceRessource {
public:
    using ISoundInstanceRessource::ISoundInstanceRessource;

    void Release() override { }
    void SetLayer(ISoundLayer* newLayer) override { layer = newLayer; }
    void Play(int) override
    {
        playing = true;
        paused = false;
        ++starts;
        // Reports the start to the frame's list, as the engine's instances do.
        if (SoundGameAccess* game = GetSoundGameAccess();
            game != nullptr && game->GetSoundEventsManager() != nullptr)
            game->GetSoundEventsManager()->AddStartedSound(ressource->GetOwner()->GetName());
    }
    void Resume() override
    {
        if (playing)
            paused = false;
    }
    void Stop(bool pause) override
    {
        if (pause && playing)
            paused = true;
        if (!pause)
            playing = paused = false;
    }
    void SetVolume(float newVolume) override { volume = newVolume; }
    float GetVolume() const override { return volume; }
    bool IsPlaying() override { return playing; }

    bool playing = false;
    bool paused = false;
    int starts = 0;
    float volume = 1.0f;
};

class FakeRessource : public ISoundRessource {
public:
    explicit FakeRessource(Sound* owner)
        : ISoundRessource(owner->GetName() + ".wav", owner)
    {
    }

    ISoundInstanceRessource* CreateInstance() override
    {
        made.push_back(new FakeInstance(this));
        return made.back();
    }
    void ReleaseData() override { }

    std::vector<FakeInstance*> made; // owned by the event voices
};

// A sound record with a fake resource.
inline std::unique_ptr<Sound> MakeFakeSound(const std::string& name, bool loop = false)
{
    auto sound = std::make_unique<Sound>(name, name + ".wav");
    sound->SetLoop(loop);
    sound->SetRessource(std::make_unique<FakeRessource>(sound.get()));
    return sound;
}

inline FakeRessource& FakeOf(const Sound& sound)
{
    return static_cast<FakeRessource&>(*sound.GetRessource());
}

// The real engine on OpenAL's loopback device, mixed only when a test pulls
// samples, with the game object, sound-event manager and music library it
// looks things up in. Members go in reverse order: the manager's live event
// copies and the engine's streams before the library.
class LoopbackTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(engine.InitLoopback(kRate));
        game.engine = &engine;
        game.manager = &manager;
        game.library = &library;
    }

    // Mixes the next `seconds` of output.
    std::vector<int16_t> Render(double seconds)
    {
        std::vector<int16_t> mix(static_cast<size_t>(seconds * kRate) * 2);
        EXPECT_TRUE(engine.RenderSamples(mix.data(), static_cast<int>(mix.size() / 2)));
        return mix;
    }

    // The amplitude of a tone once volume ramps have settled.
    double SettledAmplitude(double frequency)
    {
        Render(0.05);
        return ToneAmplitude(Render(0.2), frequency);
    }

    // A sound record whose sample is loaded from the temp folder (by the
    // fixture's engine unless another is given).
    std::unique_ptr<Sound> LoadSound(
        const std::string& name, const std::string& file, bool loop, DXSoundEngine* on = nullptr)
    {
        auto sound = std::make_unique<Sound>(name, folder + file);
        sound->SetLoop(loop);
        DXSoundEngine& loader = on != nullptr ? *on : engine;
        sound->SetRessource(std::unique_ptr<ISoundRessource>(loader.ImportSound(folder + file, sound.get())));
        return sound;
    }

    // First, so it goes last, after the engine has closed its files.
    TempFolder scratch {"loopback"};
    std::string folder = scratch.Path();
    FakeGame game;
    MusicLibrary library;
    DXSoundEngine engine;
    SoundEventsManager manager;
};

} // namespace soundtest
