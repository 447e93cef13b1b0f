#include "tests/engine/sound/SoundTestSupport.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <unistd.h>

namespace soundtest {

std::string MakeTempFolder(const std::string& tag)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path()
        / ("quenholt_sound_" + tag + "_" + std::to_string(getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.string() + "/";
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

double ToneAmplitude(const std::vector<int16_t>& stereo, double frequency, int rate)
{
    const size_t count = stereo.size() / 2;
    if (count < 2)
        return 0.0;
    const double coefficient = 2.0 * std::cos(2.0 * std::numbers::pi * frequency / rate);
    double s1 = 0.0;
    double s2 = 0.0;
    double windowSum = 0.0;
    for (size_t n = 0; n < count; ++n)
    {
        // Hann window: little leakage from the other tones of a mix.
        const double window = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * static_cast<double>(n) / (count - 1));
        windowSum += window;
        const double s = window * stereo[2 * n] / 32768.0 + coefficient * s1 - s2;
        s2 = s1;
        s1 = s;
    }
    const double power = s1 * s1 + s2 * s2 - coefficient * s1 * s2;
    return 2.0 * std::sqrt(std::max(power, 0.0)) / windowSum;
}

int PeakOf(const std::vector<int16_t>& stereo)
{
    int peak = 0;
    for (int16_t sample : stereo)
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    return peak;
}

FakeGame::FakeGame()
{
    SetSoundGameAccess(this);
}

FakeGame::~FakeGame()
{
    SetSoundGameAccess(nullptr);
}

Sound* FakeGame::FindSound(const std::string& name)
{
    const auto found = sounds.find(name);
    return found != sounds.end() ? found->second : nullptr;
}

bool FakeGame::GetPlayerBox(float& x, float& y, int& width, int& height)
{
    if (!hasPlayer)
        return false;
    x = playerX;
    y = playerY;
    width = playerWidth;
    height = playerHeight;
    return true;
}

void LoopbackTest::SetUp()
{
    ASSERT_TRUE(engine.InitLoopback(kRate));
    game.engine = &engine;
    game.manager = &manager;
    game.library = &library;
    folder = MakeTempFolder("loopback");
}

std::vector<int16_t> LoopbackTest::Render(double seconds)
{
    std::vector<int16_t> mix(static_cast<size_t>(seconds * kRate) * 2);
    EXPECT_TRUE(engine.RenderSamples(mix.data(), static_cast<int>(mix.size() / 2)));
    return mix;
}

double LoopbackTest::SettledAmplitude(double frequency)
{
    Render(0.05);
    return ToneAmplitude(Render(0.2), frequency);
}

std::unique_ptr<Sound> LoopbackTest::LoadSound(const std::string& name, const std::string& file, bool loop,
                                               DXSoundEngine* on)
{
    auto sound = std::make_unique<Sound>(name, folder + file);
    sound->SetLoop(loop);
    DXSoundEngine& loader = on != nullptr ? *on : engine;
    sound->SetRessource(std::unique_ptr<ISoundRessource>(loader.ImportSound(folder + file, sound.get())));
    return sound;
}

} // namespace soundtest
