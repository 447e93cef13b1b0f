#pragma once

// Fixtures shared by the sound tests: generated WAV and Ogg files, a stand-in
// game object, and tone measurement on mixed samples.

#include "engine/config/GameConfig.h"
#include "engine/sound/SoundGameAccess.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace soundtest {

constexpr int kRate = 44100;

// One tone of a test signal: frequency (Hz) for a number of seconds.
struct Tone
{
    double frequency;
    double seconds;
};

// Mono samples in [-1, 1]: the tones one after the other at the given amplitude.
std::vector<float> MakeTones(const std::vector<Tone>& tones, double amplitude, int rate = kRate);

// A RIFF WAVE file of 16-bit PCM (or 8-bit, or 32-bit float) from mono samples.
std::vector<uint8_t> MakeWav(const std::vector<float>& samples, int rate = kRate, int channels = 1,
                             int bitsPerSample = 16, bool floatSamples = false);
// An Ogg Vorbis file encoded with libvorbisenc from mono samples (high quality).
std::vector<uint8_t> MakeOgg(const std::vector<float>& samples, int rate = kRate, int channels = 1);

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
