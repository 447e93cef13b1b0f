#include "tests/engine/sound/SoundTestSupport.h"

#include <vorbis/vorbisenc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <unistd.h>

namespace soundtest {

namespace {

template <class T>
void Put(std::vector<uint8_t>& out, T value)
{
    uint8_t bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    out.insert(out.end(), bytes, bytes + sizeof(T));
}

void PutTag(std::vector<uint8_t>& out, const char* tag)
{
    out.insert(out.end(), tag, tag + 4);
}

} // namespace

std::vector<float> MakeTones(const std::vector<Tone>& tones, double amplitude, int rate)
{
    std::vector<float> samples;
    double phase = 0.0;
    for (const Tone& tone : tones)
    {
        const auto count = static_cast<size_t>(tone.seconds * rate);
        for (size_t i = 0; i < count; ++i)
        {
            samples.push_back(static_cast<float>(amplitude * std::sin(phase)));
            phase += 2.0 * std::numbers::pi * tone.frequency / rate;
        }
    }
    return samples;
}

std::vector<uint8_t> MakeWav(const std::vector<float>& samples, int rate, int channels, int bitsPerSample,
                             bool floatSamples)
{
    std::vector<uint8_t> body;
    for (float sample : samples)
    {
        for (int c = 0; c < channels; ++c)
        {
            if (floatSamples)
                Put(body, sample);
            else if (bitsPerSample == 8)
                Put(body, static_cast<uint8_t>(std::lround(sample * 127.0f) + 128));
            else
                Put(body, static_cast<int16_t>(std::lround(sample * 32767.0f)));
        }
    }
    const auto blockAlign = static_cast<uint16_t>(channels * bitsPerSample / 8);
    std::vector<uint8_t> file;
    PutTag(file, "RIFF");
    Put(file, static_cast<uint32_t>(4 + 8 + 16 + 8 + body.size()));
    PutTag(file, "WAVE");
    PutTag(file, "fmt ");
    Put(file, uint32_t{ 16 });
    Put(file, static_cast<uint16_t>(floatSamples ? 3 : 1));
    Put(file, static_cast<uint16_t>(channels));
    Put(file, static_cast<uint32_t>(rate));
    Put(file, static_cast<uint32_t>(rate) * blockAlign);
    Put(file, blockAlign);
    Put(file, static_cast<uint16_t>(bitsPerSample));
    PutTag(file, "data");
    Put(file, static_cast<uint32_t>(body.size()));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

std::vector<uint8_t> MakeOgg(const std::vector<float>& samples, int rate, int channels)
{
    std::vector<uint8_t> out;
    auto appendPage = [&out](const ogg_page& page) {
        out.insert(out.end(), page.header, page.header + page.header_len);
        out.insert(out.end(), page.body, page.body + page.body_len);
    };

    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, rate, 0.8f) != 0)
    {
        vorbis_info_clear(&info);
        ADD_FAILURE() << "vorbis encoder set-up failed";
        return out;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 4242);

    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &headerComment);
    ogg_stream_packetin(&stream, &headerCode);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page) != 0)
        appendPage(page);

    auto drain = [&] {
        ogg_packet packet;
        while (vorbis_analysis_blockout(&dsp, &block) == 1)
        {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0)
            {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0)
                    appendPage(page);
            }
        }
    };
    constexpr size_t kChunk = 1024;
    for (size_t done = 0; done < samples.size(); done += kChunk)
    {
        const size_t count = std::min(kChunk, samples.size() - done);
        float** buffers = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
        for (int c = 0; c < channels; ++c)
            std::copy_n(samples.begin() + static_cast<std::ptrdiff_t>(done), count, buffers[c]);
        vorbis_analysis_wrote(&dsp, static_cast<int>(count));
        drain();
    }
    vorbis_analysis_wrote(&dsp, 0);
    drain();
    while (ogg_stream_flush(&stream, &page) != 0)
        appendPage(page);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

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

} // namespace soundtest
