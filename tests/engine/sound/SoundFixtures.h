#pragma once

// Generated sound files for tests and benchmarks: sine tones written as RIFF
// WAVE files and encoded as Ogg Vorbis with libvorbisenc.

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <vector>

namespace soundtest {

constexpr int kRate = 44100;

// One tone of a test signal: frequency (Hz) for a number of seconds.
struct Tone {
    double frequency;
    double seconds;
};

namespace detail {

template <class T> inline void Put(std::vector<uint8_t>& out, T value)
{
    uint8_t bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    out.insert(out.end(), bytes, bytes + sizeof(T));
}

inline void PutTag(std::vector<uint8_t>& out, const char* tag)
{
    // One byte at a time: g++ 12 misreads a range insert into an empty
    // vector as an overflow at -O2.
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(tag[i]));
}

} // namespace detail

// Mono samples in [-1, 1]: the tones one after the other at the given amplitude.
inline std::vector<float> MakeTones(const std::vector<Tone>& tones, double amplitude, int rate = kRate)
{
    std::vector<float> samples;
    double phase = 0.0;
    for (const Tone& tone : tones) {
        const auto count = static_cast<size_t>(tone.seconds * rate);
        for (size_t i = 0; i < count; ++i) {
            samples.push_back(static_cast<float>(amplitude * std::sin(phase)));
            phase += 2.0 * std::numbers::pi * tone.frequency / rate;
        }
    }
    return samples;
}

// A RIFF WAVE file of 16-bit PCM (or 32-bit float) from mono samples, the
// same in every channel.
inline std::vector<uint8_t> MakeWav(
    const std::vector<float>& samples, int channels = 1, bool floatSamples = false)
{
    const int bitsPerSample = floatSamples ? 32 : 16;
    std::vector<uint8_t> body;
    for (float sample : samples)
        for (int c = 0; c < channels; ++c)
            if (floatSamples)
                detail::Put(body, sample);
            else
                detail::Put(body, static_cast<int16_t>(std::lround(sample * 32767.0f)));
    const auto blockAlign = static_cast<uint16_t>(channels * bitsPerSample / 8);
    std::vector<uint8_t> file;
    detail::PutTag(file, "RIFF");
    detail::Put(file, static_cast<uint32_t>(4 + 8 + 16 + 8 + body.size()));
    detail::PutTag(file, "WAVE");
    detail::PutTag(file, "fmt ");
    detail::Put(file, uint32_t {16});
    detail::Put(file, static_cast<uint16_t>(floatSamples ? 3 : 1));
    detail::Put(file, static_cast<uint16_t>(channels));
    detail::Put(file, static_cast<uint32_t>(kRate));
    detail::Put(file, static_cast<uint32_t>(kRate) * blockAlign);
    detail::Put(file, blockAlign);
    detail::Put(file, static_cast<uint16_t>(bitsPerSample));
    detail::PutTag(file, "data");
    detail::Put(file, static_cast<uint32_t>(body.size()));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

// An Ogg Vorbis file encoded from mono samples (high quality), the same in
// every channel; empty when the encoder cannot be set up. Files appended to
// one another make a chained stream (each with its own serial number).
inline std::vector<uint8_t> MakeOgg(
    const std::vector<float>& samples, int channels = 1, int rate = kRate, int serial = 4242)
{
    std::vector<uint8_t> out;
    auto appendPage = [&out](const ogg_page& page) {
        out.insert(out.end(), page.header, page.header + page.header_len);
        out.insert(out.end(), page.body, page.body + page.body_len);
    };

    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, rate, 0.8f) != 0) {
        vorbis_info_clear(&info);
        return out;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, serial);

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
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0)
                    appendPage(page);
            }
        }
    };
    constexpr size_t kChunk = 1024;
    for (size_t done = 0; done < samples.size(); done += kChunk) {
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

} // namespace soundtest
