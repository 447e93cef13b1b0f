#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One voice of a track: a note every `step` beats from bar `fromBar` on, the
// notes cycling ("-" rests), each note decaying at `decay` per second.
struct TrackVoice {
    std::string wave; // sine, square, tri, organ (two detuned triangles), noise
    double step = 1;
    double amplitude = 0.3;
    double pan = 0; // -1 left .. 1 right
    double decay = 2;
    int fromBar = 0;
    std::vector<double> notes; // Hz; 0 = rest
};

// A track description (data/music/*.txt): "track FILE.ogg", "tempo BPM",
// "beats PER_BAR", "bars N", "intro BARS", "loop PERCENT", then
// "voice WAVE STEP AMPLITUDE PAN DECAY FROM_BAR NOTE...". The loop point
// (percent of the track) must fall where the intro ends, and the track lasts
// 24 to 48 s.
struct TrackScore {
    std::string file;
    double tempo = 120;
    int beatsPerBar = 4;
    int bars = 8;
    int introBars = 0;
    double loopPercent = 0;
    std::vector<TrackVoice> voices;

    double Seconds() const { return bars * beatsPerBar * 60.0 / tempo; }
};

// Throws WorldError naming the file and line.
TrackScore ReadMusicTrack(const std::string& text, const std::string& fileName);

// A note name ("D4", "Bb1", "F#3") as Hz; false when it is none.
bool NoteFrequency(const std::string& name, double& hz);

constexpr int kMusicRate = 44100;

// Interleaved stereo samples in -1..1.
std::vector<float> RenderTrack(const TrackScore& track, uint64_t seed);

// Ogg Vorbis at quality 0.3 with the loop start (in samples) in the
// "LOOPSTART" comment; the stream serial number comes from the seed so the
// bytes repeat. Empty on an encoder failure.
std::vector<uint8_t> EncodeOggVorbis(const std::vector<float>& stereo, int64_t loopStart, uint64_t seed);
