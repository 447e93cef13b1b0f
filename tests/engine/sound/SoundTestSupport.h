#pragma once

// Shared by the sound tests: temp folders, a stand-in game object, and tone
// measurement on mixed samples.

#include "engine/config/GameConfig.h"
#include "engine/sound/SoundGameAccess.h"
#include "tests/engine/sound/SoundFixtures.h"

#include <cstdint>
#include <functional>
#include <map>
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

} // namespace soundtest
