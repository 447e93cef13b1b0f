#pragma once

// Shared by the sound tests: temp folders, a stand-in game object, and tone
// measurement on mixed samples.

#include "engine/config/GameConfig.h"
#include "engine/sound/DXSoundEngine.h"
#include "engine/sound/MusicLibrary.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundEventsManager.h"
#include "engine/sound/SoundGameAccess.h"
#include "tests/engine/sound/SoundFixtures.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace soundtest {

// A fresh folder for this process (ctest runs tests as parallel processes).
std::string MakeTempFolder(const std::string& tag);
void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);

// Amplitude of one frequency in the left channel of interleaved stereo.
double ToneAmplitude(const std::vector<int16_t>& stereo, double frequency, int rate = kRate);
// Largest absolute sample of the mix.
int PeakOf(const std::vector<int16_t>& stereo);

// The game object as the sound classes see it; installed while it lives.
class FakeGame : public SoundGameAccess
{
public:
    FakeGame();
    ~FakeGame() override;

    ISoundEngine* GetSoundEngine() override { return engine; }
    SoundEventsManager* GetSoundEventsManager() override { return manager; }
    MusicLibrary* GetMusicLibrary() override { return library; }
    Sound* FindSound(const std::string& name) override;
    bool GetPlayerBox(float& x, float& y, int& width, int& height) override;
    GameConfig* GetConfig() override { return &config; }

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

// The real engine on OpenAL's loopback device, mixed only when a test pulls
// samples, with the game object, sound-event manager and music library it
// looks things up in. Members go in reverse order: the manager's live event
// copies and the engine's streams before the library.
class LoopbackTest : public testing::Test
{
protected:
    void SetUp() override;

    // Mixes the next `seconds` of output.
    std::vector<int16_t> Render(double seconds);
    // The amplitude of a tone once volume ramps have settled.
    double SettledAmplitude(double frequency);
    // A sound record whose sample is loaded from the temp folder (by the
    // fixture's engine unless another is given).
    std::unique_ptr<Sound> LoadSound(const std::string& name, const std::string& file, bool loop,
                                     DXSoundEngine* on = nullptr);

    FakeGame game;
    MusicLibrary library;
    DXSoundEngine engine;
    SoundEventsManager manager;
    std::string folder;
};

} // namespace soundtest
