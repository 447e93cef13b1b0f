#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One voice of a synthesised sound: an oscillator or filtered noise whose
// pitch (or cut-off) glides from f0 to f1 over its span, under an envelope
// with a 4 ms attack and a quadratic decay to silence at its end.
struct SynthVoice {
    std::string wave; // sine, square, tri, saw, noise
    double f0 = 440, f1 = 440;
    double start = 0, duration = 0.1;
    double amplitude = 0.5;
    int line = 0;
};

struct SynthSound {
    std::string name; // file name without ".wav", lower case
    double seconds = 0.1;
    bool loop = false;
    double drive = 0; // soft clipping (tanh) amount; 0 = clean
    std::vector<SynthVoice> voices;
};

// The sound list (data/sounds/*.txt): "sound NAME SECONDS" or "loop NAME
// SECONDS", then voice lines "WAVE F0 F1 START DURATION AMPLITUDE" and
// "drive X". Throws WorldError on a fault, naming the line.
std::vector<SynthSound> ReadSoundList(const std::string& text, const std::string& fileName);

// 22 050 Hz mono 16-bit samples. Noise draws from a generator seeded by the
// sound's name and the world seed. A loop is cut at rising zero crossings
// near its ends (or faded to zero there) so it joins without a click.
std::vector<int16_t> RenderSound(const SynthSound& sound, uint64_t seed);

// A RIFF WAVE file of 16-bit PCM samples.
std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& samples, int channels, int rate);

constexpr int kSfxRate = 22050;
