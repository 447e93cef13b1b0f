#include "tools/world/SoundSynth.h"

#include "tools/world/Oscillator.h"
#include "tools/world/WorldText.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>

std::vector<SynthSound> ReadSoundList(const std::string& text, const std::string& fileName)
{
    static const std::set<std::string> kWaves = {"sine", "square", "tri", "saw", "noise"};
    std::vector<SynthSound> sounds;
    std::set<std::string> names;
    ForEachWordLine(text, [&](std::vector<std::string>& w, int lineNo) {
        auto real = [&](size_t i) { return ParseDouble(w.at(i), fileName, lineNo); };
        if (w[0] == "sound" || w[0] == "loop") {
            if (w.size() != 3)
                throw WorldError(fileName, lineNo, "expected \"" + w[0] + " NAME SECONDS\"");
            SynthSound s;
            s.name = w[1];
            s.loop = w[0] == "loop";
            s.seconds = real(2);
            for (char c : s.name)
                if (c >= 'A' && c <= 'Z')
                    throw WorldError(
                        fileName, lineNo, "sound file names are lower case, found \"" + s.name + "\"");
            const double lo = s.loop ? 1.0 : 0.05, hi = s.loop ? 4.0 : 1.5;
            if (s.seconds < lo || s.seconds > hi)
                throw WorldError(fileName, lineNo,
                    "a " + w[0] + " lasts " + std::to_string(lo) + " to " + std::to_string(hi) + " s, found "
                        + w[2]);
            if (!names.insert(s.name).second)
                throw WorldError(fileName, lineNo, "sound \"" + s.name + "\" is defined twice");
            sounds.push_back(s);
        } else if (sounds.empty()) {
            throw WorldError(fileName, lineNo, "expected \"sound\" or \"loop\", found \"" + w[0] + "\"");
        } else if (w[0] == "drive") {
            if (w.size() != 2)
                throw WorldError(fileName, lineNo, "expected \"drive AMOUNT\"");
            sounds.back().drive = real(1);
        } else if (kWaves.count(w[0])) {
            if (w.size() != 6)
                throw WorldError(fileName, lineNo, "expected \"WAVE F0 F1 START DURATION AMPLITUDE\"");
            SynthVoice v {w[0], real(1), real(2), real(3), real(4), real(5), lineNo};
            if (v.duration <= 0 || v.start < 0 || v.f0 <= 0 || v.f1 <= 0)
                throw WorldError(fileName, lineNo, "a voice needs positive pitches and duration");
            sounds.back().voices.push_back(v);
        } else {
            throw WorldError(fileName, lineNo, "unknown sound word \"" + w[0] + "\"");
        }
    });
    return sounds;
}

std::vector<int16_t> RenderSound(const SynthSound& sound, uint64_t seed)
{
    const size_t count = size_t(std::lround(sound.seconds * kSfxRate));
    std::vector<double> mix(count, 0.0);
    WorldRandom random = WorldRandom::ForName(sound.name, seed);
    for (const SynthVoice& v : sound.voices) {
        size_t first = size_t(v.start * kSfxRate);
        size_t span = size_t(v.duration * kSfxRate);
        Oscillator oscillator(kSfxRate);
        for (size_t i = 0; i < span && first + i < count; ++i) {
            double t = double(i) / double(span);
            double f = v.f0 * std::pow(v.f1 / v.f0, t); // exponential glide
            double env = std::min(1.0, double(i) / (0.004 * kSfxRate)) * (1.0 - t) * (1.0 - t);
            if (sound.loop)
                env = std::min(1.0, double(i) / (0.004 * kSfxRate)) * std::min(1.0, (1.0 - t) * 8.0);
            double s = 0;
            const double phase = oscillator.Step(f);
            if (v.wave == "sine")
                s = Oscillator::Sine(phase);
            else if (v.wave == "square")
                s = phase < 0.5 ? 0.6 : -0.6;
            else if (v.wave == "tri")
                s = Oscillator::Triangle(phase);
            else if (v.wave == "saw")
                s = (2.0 * phase - 1.0) * 0.7;
            else // noise through a low-pass at f
                s = oscillator.Noise(f, random) * 1.5;
            mix[first + i] += s * env * v.amplitude;
        }
    }
    std::vector<int16_t> samples(count);
    for (size_t i = 0; i < count; ++i) {
        double x = sound.drive > 0 ? std::tanh(mix[i] * (1.0 + sound.drive)) : std::clamp(mix[i], -1.0, 1.0);
        samples[i] = int16_t(std::lround(x * 32000.0));
    }
    if (sound.loop && samples.size() > 2) {
        // Cut at rising zero crossings near both ends (within 10 ms), so the
        // loop joins without a click and keeps its length; where the ends
        // hold none (silence, noise), fade them to zero over 3 ms instead.
        const size_t window = kSfxRate / 100;
        size_t begin = 1, end = samples.size() - 1;
        while (begin < window && !(samples[begin - 1] < 0 && samples[begin] >= 0))
            ++begin;
        while (end > samples.size() - window && !(samples[end - 1] < 0 && samples[end] >= 0))
            --end;
        if (begin < window && end > samples.size() - window) {
            samples = std::vector<int16_t>(samples.begin() + long(begin), samples.begin() + long(end));
        } else {
            const size_t fade = std::min(samples.size() / 2, size_t(kSfxRate * 3 / 1000));
            for (size_t i = 0; i < fade; ++i) {
                const double gain = double(i) / double(fade);
                samples[i] = int16_t(std::lround(samples[i] * gain));
                samples[samples.size() - 1 - i]
                    = int16_t(std::lround(samples[samples.size() - 1 - i] * gain));
            }
        }
    }
    return samples;
}

std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& samples, int channels, int rate)
{
    std::vector<uint8_t> out;
    out.reserve(44 + samples.size() * 2);
    auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out.push_back(uint8_t(v >> (8 * i)));
    };
    auto u16 = [&](uint16_t v) {
        out.push_back(uint8_t(v));
        out.push_back(uint8_t(v >> 8));
    };
    auto tag = [&](const char* t) {
        for (int i = 0; i < 4; ++i)
            out.push_back(uint8_t(t[i]));
    };
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    tag("RIFF");
    u32(36 + dataBytes);
    tag("WAVE");
    tag("fmt ");
    u32(16);
    u16(1);
    u16(uint16_t(channels));
    u32(uint32_t(rate));
    u32(uint32_t(rate * channels * 2));
    u16(uint16_t(channels * 2));
    u16(16);
    tag("data");
    u32(dataBytes);
    for (int16_t s : samples)
        u16(uint16_t(s));
    return out;
}
