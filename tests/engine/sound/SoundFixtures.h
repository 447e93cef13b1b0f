#pragma once

// Generated sound files for tests and benchmarks: sine tones written as RIFF
// WAVE files and encoded as Ogg Vorbis by the engine's writer.

#include "engine/sound/OggVorbisWriter.h"

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
    std::vector<float> interleaved;
    interleaved.reserve(samples.size() * static_cast<size_t>(std::max(channels, 0)));
    for (float sample : samples)
        interleaved.insert(interleaved.end(), static_cast<size_t>(std::max(channels, 0)), sample);
    return WriteOggVorbis(interleaved, channels, rate, 0.8f, serial);
}

} // namespace soundtest
